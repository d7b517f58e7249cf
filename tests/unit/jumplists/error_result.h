#pragma once
// The HRESULT an action fails with, for tests of code that reports failures as the COM error exception.

#include "system/error_exception.h"

#include <cstdint>
#include <functional>

namespace n_ombrix_test {

// 0 when the action succeeds.
inline std::int32_t ResultOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException& error) {
        return error.Result();
    }
    return 0;
}

} // namespace n_ombrix_test
