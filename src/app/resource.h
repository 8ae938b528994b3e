// Resource identifiers, shared by the .rc and the code.
#pragma once

#define IDI_CALCULATOR 1
#define IDI_USAGE 2
#define IDI_PICTURE 3
