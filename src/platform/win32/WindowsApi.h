#pragma once
// The Windows headers, as every file of the Windows build includes them.
//
// They define as macros several names that the program's own seams use as
// plain names: the registry calls (RegOpenKeyEx → RegOpenKeyExA …), the
// registry constants (HKEY_LOCAL_MACHINE, KEY_READ, REG_SZ …), MessageBox,
// SetCurrentDirectory and ShellExecute. They are undefined here, so a file
// may include this header and the seams' headers in any order; the Windows
// functions are called by their explicit ANSI names (RegOpenKeyExA …).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

namespace zorvanel::win32 {
// The predefined root as Windows spells it (sign-extended on 64-bit Windows),
// captured before its macro goes.
inline const HKEY kNativeLocalMachine = HKEY_LOCAL_MACHINE;
}  // namespace zorvanel::win32

#undef HKEY_LOCAL_MACHINE
#undef KEY_QUERY_VALUE
#undef KEY_SET_VALUE
#undef KEY_CREATE_SUB_KEY
#undef KEY_ENUMERATE_SUB_KEYS
#undef KEY_READ
#undef KEY_ALL_ACCESS
#undef MAXIMUM_ALLOWED
#undef REG_NONE
#undef REG_SZ
#undef REG_EXPAND_SZ
#undef REG_BINARY
#undef REG_DWORD
#undef REG_MULTI_SZ
#undef RegOpenKeyEx
#undef RegCreateKeyEx
#undef RegQueryValueEx
#undef RegSetValueEx
#undef RegEnumValue
#undef RegEnumKeyEx
#undef RegDeleteKey
#undef RegDeleteValue
#undef MessageBox
#undef SetCurrentDirectory
#undef ShellExecute
