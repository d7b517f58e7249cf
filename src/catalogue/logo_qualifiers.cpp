#include "catalogue/logo_qualifiers.h"

#include "system/upper_case.h"

#include <algorithm>
#include <array>
#include <utility>

namespace n_ombrix {

namespace {

using n_zql::n_system::UpperCased;

// The values a qualifier must carry exactly to count.
constexpr std::array<std::pair<std::wstring_view, std::int32_t>, 13> targetSizes{{{L"24", 24},
                                                                                  {L"30", 30},
                                                                                  {L"32", 32},
                                                                                  {L"36", 36},
                                                                                  {L"40", 40},
                                                                                  {L"48", 48},
                                                                                  {L"60", 60},
                                                                                  {L"64", 64},
                                                                                  {L"72", 72},
                                                                                  {L"80", 80},
                                                                                  {L"96", 96},
                                                                                  {L"256", 256},
                                                                                  {L"512", 512}}};
constexpr std::array<std::pair<std::wstring_view, std::int32_t>, 6> scales{
    {{L"80", 80}, {L"100", 100}, {L"125", 125}, {L"150", 150}, {L"200", 200}, {L"400", 400}}};
constexpr std::array<std::wstring_view, 6> ignoredKinds{L"LAYOUTDIR-", L"HOMEREGION-",     L"CUSTOM-",
                                                        L"CONFIG-",    L"DXFEATURELEVEL-", L"DXFL-"};

template <std::size_t n>
std::int32_t ValueIn(const std::array<std::pair<std::wstring_view, std::int32_t>, n>& table, std::wstring_view text) {
    const auto found = std::ranges::find(table, text, &std::pair<std::wstring_view, std::int32_t>::first);
    return found == table.end() ? 0 : found->second;
}

bool TakePrefix(std::wstring_view& token, std::wstring_view prefix) {
    if (!token.starts_with(prefix)) return false;
    token.remove_prefix(prefix.size());
    return true;
}

void ApplyToken(std::wstring_view token, const std::vector<std::wstring>& languages, t_LogoCandidate& candidate) {
    if (TakePrefix(token, L"TARGETSIZE-")) {
        if (const std::int32_t size = ValueIn(targetSizes, token)) {
            candidate.size = size;
            candidate.fromScale = false;
        }
        return;
    }
    if (TakePrefix(token, L"SCALE-")) {
        if (const std::int32_t scale = ValueIn(scales, token)) {
            candidate.size = (candidate.square30 ? 30 : 44) * scale / 100;
            candidate.fromScale = true;
        }
        return;
    }
    if (TakePrefix(token, L"CONTRAST-")) {
        candidate.contrast = token == L"HIGH" ? 1 : token == L"BLACK" ? 2 : token == L"WHITE" ? 3 : 0;
        return;
    }
    if (std::ranges::any_of(ignoredKinds, [&](std::wstring_view kind) { return token.starts_with(kind); })) return;
    if (TakePrefix(token, L"ALTFORM-")) {
        if (token == L"UNPLATED") candidate.unplated = true;
        if (token == L"FULLCOLOR") candidate.altForm = 1;
        if (token == L"COLORIZE") candidate.altForm = 2;
        return;
    }
    if (!TakePrefix(token, L"LANGUAGE-")) TakePrefix(token, L"LANG-");
    const auto language =
        std::ranges::find_if(languages, [&](const std::wstring& preferred) { return UpperCased(preferred) == token; });
    if (token.empty() || language == languages.end())
        candidate.valid = false;
    else
        candidate.languageRank = static_cast<std::uint32_t>(language - languages.begin());
}

} // namespace

void ApplyLogoQualifiers(std::wstring_view qualifiers, const std::vector<std::wstring>& languages,
                         t_LogoCandidate& candidate) {
    for (std::size_t start = 0; start < qualifiers.size();) {
        const std::size_t end = std::min(qualifiers.find(L'_', start), qualifiers.size());
        if (end > start) ApplyToken(UpperCased(qualifiers.substr(start, end - start)), languages, candidate);
        start = end + 1;
    }
}

bool IsBetterLogo(const t_LogoCandidate& candidate, const t_LogoCandidate& best) noexcept {
    if (!candidate.valid) return false;
    if (!best.valid || candidate.languageRank < best.languageRank) return true;
    if (candidate.unplated != best.unplated) return !candidate.unplated && candidate.size >= candidate.wantedTarget;
    const std::int32_t wanted = candidate.unplated ? candidate.wantedFull : candidate.wantedTarget;
    if (candidate.size > best.size) return best.size == 0 ? candidate.size >= wanted : best.size < wanted;
    if (candidate.size < best.size) return candidate.size == 0 ? best.size < wanted : candidate.size >= wanted;
    return candidate.altForm != best.altForm ? candidate.altForm < best.altForm : candidate.contrast < best.contrast;
}

t_LogoPattern LogoPattern(std::wstring_view rootFolder, std::wstring_view logoPath) {
    const std::size_t slash = logoPath.find_last_of(L"\\/");
    const std::wstring_view folder = slash == std::wstring_view::npos ? std::wstring_view() : logoPath.substr(0, slash);
    const std::wstring_view file = slash == std::wstring_view::npos ? logoPath : logoPath.substr(slash + 1);
    const std::size_t dot = file.rfind(L'.');
    std::wstring joined = std::wstring(rootFolder) + L"\\" + std::wstring(folder) + L"\\";
    std::ranges::replace(joined, L'/', L'\\');
    // Single backslashes, but for the two that begin a network path.
    const bool network =
        joined.starts_with(L"\\\\") && (rootFolder.starts_with(L"\\\\") || rootFolder.starts_with(L"//"));
    const auto end = std::unique(joined.begin() + (network ? 2 : 0), joined.end(),
                                 [](wchar_t a, wchar_t b) { return a == L'\\' && b == L'\\'; });
    joined.erase(end, joined.end());
    return {std::move(joined), std::wstring(file.substr(0, dot)),
            dot == std::wstring_view::npos ? std::wstring() : std::wstring(file.substr(dot))};
}

std::wstring_view LogoFileQualifiers(std::wstring_view fileName, const t_LogoPattern& pattern) noexcept {
    const std::size_t start = pattern.baseName.size() + 1;
    if (fileName.size() < pattern.extension.size()) return {};
    const std::size_t end = fileName.size() - pattern.extension.size();
    return start < end ? fileName.substr(start, end - start) : std::wstring_view();
}

} // namespace n_ombrix
