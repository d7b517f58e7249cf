#pragma once
// The Ombrix.exe built beside the test programs, and its resources loaded as data (nothing of it runs).

#include "system/unique_handle.h"

#include <string>

namespace n_ombrix_test {

std::wstring BuiltProgramPath();

// Empty when the program cannot be loaded.
n_zql::n_system::n_windows::t_Module LoadBuiltProgramResources();

} // namespace n_ombrix_test
