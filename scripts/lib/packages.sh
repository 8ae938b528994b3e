# The Debian packages that building, testing and running the program need.
# Sourced by the scripts: install_packages installs the missing ones (as
# root; otherwise it prints the command and stops).
packages=(
  cmake ninja-build g++ git googletest libgtest-dev clang clang-format libclang-rt-dev
  g++-mingw-w64-x86-64-posix nsis
  wine wine64 fonts-wine fonts-wqy-zenhei
  xvfb xauth x11-utils xdotool imagemagick
  # What Wine's display driver loads at run time (only recommended by wine).
  libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1
)

install_packages() {
  local missing=() package
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${db:Status-Status}\n' "$package" 2>/dev/null | grep -qx installed || missing+=("$package")
  done
  (( ${#missing[@]} )) || return 0
  if (( EUID != 0 )); then
    echo "Missing Debian packages. As root:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update </dev/null
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}" </dev/null
}

# Wine wants a home; CI may run without one.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
