# The Debian packages that building, testing and running the program need.
# Sourced by the scripts: install_packages installs the missing ones (as
# root; otherwise it prints the command and stops).
packages=(
  cmake ninja-build g++ git googletest libgtest-dev clang clang-format libclang-rt-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nsis
  wine wine64 fonts-wine fonts-wqy-zenhei
  xvfb xauth x11-utils xdotool imagemagick tzdata
  # What Wine's display driver loads at run time (only recommended by wine).
  libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1 libxxf86vm1
)

# Whether this kernel runs 32-bit x86 programs (some virtual machines' do
# not): a static one of 96 bytes that exits with 7.
runs_32_bit() {
  local probe
  probe=$(mktemp) || return 1
  base64 -d >"$probe" <<<'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuAEAAAC7BwAAAM2A'
  chmod +x "$probe"
  "$probe" 2>/dev/null
  local status=$?
  rm -f "$probe"
  (( status == 7 ))
}

install_packages() {
  local missing=() package i386=()
  # Wine's 32-bit half runs the x86 program's tests, where 32-bit programs run at all.
  if runs_32_bit; then
    packages+=(wine32:i386)
  fi
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${db:Status-Status}\n' "$package" 2>/dev/null | grep -qx installed || missing+=("$package")
  done
  (( ${#missing[@]} )) || return 0
  [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386 && i386=(i386)
  if (( EUID != 0 )); then
    echo "Missing Debian packages. As root:" >&2
    (( ${#i386[@]} )) && echo "  dpkg --add-architecture i386" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  (( ${#i386[@]} )) && dpkg --add-architecture i386
  apt-get -o DPkg::Lock::Timeout=600 update </dev/null
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}" </dev/null
}

# Wine wants a home; CI may run without one.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
