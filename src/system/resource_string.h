#pragma once
// A string of a module's string table. Ours are stored with their terminators; the text ends at the first one.

#include <windows.h>

#include <string>

namespace n_zql::n_system::n_windows {

// Empty when the module has no such string, or when it is stored without its terminator (a table that is not ours).
std::wstring ResourceString(HMODULE module, UINT id);

} // namespace n_zql::n_system::n_windows
