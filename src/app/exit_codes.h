#pragma once
// The process's exit codes.

namespace n_ombrix {

constexpr int exitNormal = 0;            // WM_CLOSE, or another instance already runs
constexpr int exitEndSession = 1223;     // log-off or shut-down (the value of ERROR_CANCELLED); state already saved
constexpr int exitUnexpectedError = 713; // an exception reached the process entry

} // namespace n_ombrix
