// The one definition of the program's version. Read by the C++ code and by
// the resource compiler, so it holds nothing but preprocessor definitions.
#pragma once

#define TARVOLIN_VERSION_MAJOR 1
#define TARVOLIN_VERSION_MINOR 0
#define TARVOLIN_VERSION_REVISION 2

// The version block's text form of the same numbers: major, minor in two
// digits, revision in four.
#define TARVOLIN_FILE_VERSION_TEXT "1.00.0002"
