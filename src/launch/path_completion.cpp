#include "launch/path_completion.h"

#include "system/unique_handle.h"

#include <windows.h>

#include <shlwapi.h>

namespace n_ombrix {

using n_zql::n_system::n_windows::t_FindHandle;

std::optional<t_PathCompletion> CompletePath(const t_Executor& executor, std::wstring& text) {
    const std::optional<t_CompletionTarget> target = FindCompletionTarget(text);
    if (!target) return std::nullopt;
    const std::wstring token = text.substr(target->tokenStart, target->tokenEnd - target->tokenStart);
    std::wstring pattern = PathIsRelativeW(token.c_str()) ? executor.WorkingFolder() + token : token;
    pattern += L'*';

    WIN32_FIND_DATAW found;
    const t_FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) return std::nullopt;
    std::wstring candidate = found.cFileName;
    while (!candidate.empty() && FindNextFileW(search.Get(), &found)) ShortenToCommonPrefix(candidate, found.cFileName);
    if (candidate.empty()) return std::nullopt;
    return ApplyCompletion(text, *target, candidate);
}

} // namespace n_ombrix
