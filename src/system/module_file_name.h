#pragma once
// The full path of a module's file, however long.

#include <windows.h>

#include <string>

namespace n_zql::n_system::n_windows {

// Null names the program itself. A failure throws the Windows error exception.
std::wstring ModuleFileName(HMODULE module);

} // namespace n_zql::n_system::n_windows
