#include "catalogue/logo_chooser.h"

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

// An enumeration that fails (a folder that is not there) ends its step silently.
void WalkEntries(const std::wstring& pattern, std::function<void(const WIN32_FIND_DATAW&)> onEntry) {
    try {
        t_EntryWalker(std::move(onEntry)).Walk(pattern);
    } catch (const t_FolderWalkerBase::t_ErrorException&) {
    }
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
    WalkEntries(folder + L"*", [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring_view name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") return;
        t_LogoCandidate candidate = qualified;
        ApplyLogoQualifiers(name, languages_, candidate);
        if (candidate.valid) Search(folder + std::wstring(name) + L"\\", candidate);
    });
    WalkEntries(folder + pattern_.baseName + L"*" + pattern_.extension, [&](const WIN32_FIND_DATAW& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        t_LogoCandidate candidate = qualified;
        ApplyLogoQualifiers(LogoFileQualifiers(entry.cFileName, pattern_), languages_, candidate);
        if (!IsBetterLogo(candidate, best_)) return;
        best_ = candidate;
        bestPath_ = folder + entry.cFileName;
    });
}

} // namespace n_ombrix
