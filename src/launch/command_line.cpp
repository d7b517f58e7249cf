#include "launch/command_line.h"

#include "system/upper_case.h"

#include <algorithm>
#include <cwctype>

namespace n_ombrix {

namespace {

bool IsWhiteSpace(wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; }

using n_zql::n_system::UpperCased;

bool CannotBeInPath(wchar_t c) { return c < L' ' || c == L'"' || c == L'|' || c == L'<' || c == L'>'; }

} // namespace

t_ShellRequest SplitCommand(std::wstring_view text) {
    std::size_t rest = 0;
    t_ShellRequest request;
    if (text.starts_with(L'"')) {
        const std::size_t close = text.find(L'"', 1);
        request.file = text.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
        rest = close == std::wstring_view::npos ? text.size() : close + 1;
    } else {
        rest = std::min(text.find(L' '), text.size());
        request.file = text.substr(0, rest);
    }
    while (rest < text.size() && text[rest] == L' ') ++rest;
    request.parameters = text.substr(rest);
    return request;
}

std::wstring WithBackslashes(std::wstring_view text) {
    std::wstring result(text);
    std::replace(result.begin(), result.end(), L'/', L'\\');
    return result;
}

std::wstring WithSingleBackslashes(std::wstring_view path) {
    std::wstring result;
    result.reserve(path.size());
    std::size_t i = 0;
    if (path.starts_with(L"\\\\")) {
        // A network path keeps its "\\"; collapsing it would turn the server into a folder of the current drive.
        result = L"\\\\";
        i = 2;
    }
    for (; i < path.size(); ++i)
        if (path[i] != L'\\' || result.empty() || result.back() != L'\\') result.push_back(path[i]);
    return result;
}

t_ShellRequest ExplorerRequest(std::wstring_view canonicalFolder, bool relative, std::wstring_view workingFolder) {
    std::wstring folder;
    if (relative) folder = workingFolder;
    folder += canonicalFolder;
    return {L"explorer", L"/e,/root,\"" + WithSingleBackslashes(folder) + L"\""};
}

std::optional<t_CompletionTarget> FindCompletionTarget(std::wstring_view text) {
    std::optional<t_CompletionTarget> last;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsWhiteSpace(text[i])) ++i;
        if (i == text.size()) break;
        std::size_t start = i;
        std::size_t end = 0;
        if (text[i] == L'"') {
            start = i + 1;
            end = std::min(text.find(L'"', start), text.size());
            i = end == text.size() ? end : end + 1;
        } else {
            end = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), IsWhiteSpace) - text.begin();
            i = end;
        }
        last = t_CompletionTarget{start, start, end};
    }
    if (!last) return std::nullopt;
    const std::wstring_view token = text.substr(last->tokenStart, last->tokenEnd - last->tokenStart);
    if (std::any_of(token.begin(), token.end(), CannotBeInPath)) return std::nullopt;
    const std::size_t separator = token.find_last_of(L"\\/");
    if (separator != std::wstring_view::npos) last->nameStart = last->tokenStart + separator + 1;
    return last;
}

void ShortenToCommonPrefix(std::wstring& candidate, std::wstring_view name) {
    const std::size_t limit = std::min(candidate.size(), name.size());
    std::size_t length = 0;
    while (length < limit && UpperCased(candidate[length]) == UpperCased(name[length])) ++length;
    candidate.resize(length);
}

std::optional<t_PathCompletion> ApplyCompletion(std::wstring& text, const t_CompletionTarget& target,
                                                std::wstring_view candidate) {
    const std::size_t typedLength = target.tokenEnd - target.nameStart;
    if (std::wstring_view(text).substr(target.nameStart, typedLength) == candidate) return std::nullopt;
    text.replace(target.nameStart, typedLength, candidate);
    return t_PathCompletion{target.nameStart, target.nameStart + std::min(typedLength, candidate.size()),
                            target.nameStart + candidate.size()};
}

} // namespace n_ombrix
