#pragma once
// Resource and command ids shared by the resource script and the C++ code.
// windres cannot see C++ enums, so these are plain #defines.

// Menus, icons, accelerators
#define IDI_WICON 1
