// The Windows API as the native library includes it: <windows.h> without the macros whose
// names the library and the gadget model use for their own operations (CreateWindow,
// CreateFont, ReplaceText, SetProp, GetProp). Include it instead of <windows.h>.
#pragma once

#include <windows.h>

#undef CreateWindow
#undef CreateFont
#undef ReplaceText
#undef SetProp
#undef GetProp
