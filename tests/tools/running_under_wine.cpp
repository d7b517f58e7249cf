#include "running_under_wine.h"

#include <windows.h>

namespace n_ombrix_test {

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace n_ombrix_test
