#include "catalogue/logo_chooser.h"

#include "catalogue/catalogue_tidy.h"
#include "system/folder_walker.h"

#include <windows.h>

#include <cwctype>
#include <functional>
#include <utility>

namespace n_ombrix {

namespace {

using n_zql::n_system::n_windows::t_FolderWalkerBase;

class t_EntryWalker final : public t_FolderWalkerBase {
public:
    explicit t_EntryWalker(std::function<void(const WIN32_FIND_DATAW&)> onEntry) : onEntry_(std::move(onEntry)) {}

private:
    void OnEntry(const WIN32_FIND_DATAW& entry) override { onEntry_(entry); }
    std::function<void(const WIN32_FIND_DATAW&)> onEntry_;
};

// Whether the name matches base name, "*" and extension, as the platform's patterns do: regardless of case.
bool MatchesPattern(std::wstring_view name, const t_LogoPattern& pattern) {
    return name.size() >= pattern.baseName.size() + pattern.extension.size() &&
           CompareIgnoringCase(name.substr(0, pattern.baseName.size()), pattern.baseName) == 0 &&
           CompareIgnoringCase(name.substr(name.size() - pattern.extension.size()), pattern.extension) == 0;
}

std::vector<std::wstring> PreferredLanguages() {
    constexpr DWORD flags = MUI_LANGUAGE_NAME | MUI_MERGE_SYSTEM_FALLBACK | MUI_MERGE_USER_FALLBACK;
    ULONG count = 0, size = 0;
    if (!GetThreadPreferredUILanguages(flags, &count, nullptr, &size) || count < 1 || count > 256 || size < 4 ||
        size > 65536)
        return {};
    std::wstring names(size, L'\0');
    ULONG secondCount = 0;
    if (!GetThreadPreferredUILanguages(flags, &secondCount, names.data(), &size) || secondCount != count ||
        size != names.size() || names[size - 1] != L'\0' || names[size - 2] != L'\0')
        return {};
    std::vector<std::wstring> languages;
    for (std::size_t start = 0; start < size && names[start] != L'\0';) {
        std::wstring name(names.c_str() + start);
        start += name.size() + 1;
        for (wchar_t& unit : name) unit = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(unit)));
        languages.push_back(std::move(name));
    }
    return languages;
}

} // namespace

t_LogoChooser::t_LogoChooser() : languages_(PreferredLanguages()) {}

const std::wstring& t_LogoChooser::Choose(const std::wstring& rootFolder, const std::wstring& logoPath,
                                          std::int32_t fullSize, std::int32_t targetSize, bool square30) {
    bestPath_.clear();
    best_ = {.valid = false};
    pattern_ = LogoPattern(rootFolder, logoPath);
    Search(pattern_.folder, {.languageRank = static_cast<std::uint32_t>(languages_.size()),
                             .wantedFull = fullSize,
                             .wantedTarget = targetSize,
                             .square30 = square30});
    return bestPath_;
}

void t_LogoChooser::Search(const std::wstring& folder, const t_LogoCandidate& qualified) {
    const std::vector<t_Entry>& entries = Listing(folder);
    for (const t_Entry& entry : entries) {
        if (!entry.folder) continue;
        t_LogoCandidate candidate = qualified;
        ApplyLogoQualifiers(entry.name, languages_, candidate);
        if (candidate.valid) Search(folder + entry.name + L"\\", candidate);
    }
    for (const t_Entry& entry : entries) {
        if (entry.folder || !MatchesPattern(entry.name, pattern_)) continue;
        t_LogoCandidate candidate = qualified;
        ApplyLogoQualifiers(LogoFileQualifiers(entry.name, pattern_), languages_, candidate);
        if (!IsBetterLogo(candidate, best_)) continue;
        best_ = candidate;
        bestPath_ = folder + entry.name;
    }
}

const std::vector<t_LogoChooser::t_Entry>& t_LogoChooser::Listing(const std::wstring& folder) {
    const auto [listing, added] = listings_.try_emplace(folder);
    if (!added) return listing->second;
    // A folder that cannot be listed (one that is not there) has no entries.
    try {
        t_EntryWalker([&](const WIN32_FIND_DATAW& entry) {
            const std::wstring_view name = entry.cFileName;
            if (name != L"." && name != L"..")
                listing->second.push_back(
                    {std::wstring(name), (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        }).Walk(folder + L"*");
    } catch (const t_FolderWalkerBase::t_ErrorException&) {
    }
    return listing->second;
}

} // namespace n_ombrix
