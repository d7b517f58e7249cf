#pragma once
// Chooses, among the variants of a package's logo in its folders, the one file to draw for a wanted size, by the
// resource qualifiers in the files' and folders' names and the user's preferred languages. One per catalogue build.

#include "catalogue/logo_qualifiers.h"

#include <map>
#include <string>
#include <vector>

namespace n_ombrix {

class t_LogoChooser {
public:
    // Reads the thread's preferred interface languages; none when the platform does not give a sound list.
    t_LogoChooser();

    // The file, or an empty text when the package holds no acceptable variant of the logo.
    const std::wstring& Choose(const std::wstring& rootFolder, const std::wstring& logoPath, std::int32_t fullSize,
                               std::int32_t targetSize, bool square30);
    // Whether the chosen file is the unplated form, which is drawn at the full size.
    bool Unplated() const noexcept { return best_.unplated; }

private:
    // Subfolders (whose qualifiers apply to everything below) first, depth first, then the folder's own files.
    void Search(const std::wstring& folder, const t_LogoCandidate& qualified);
    struct t_Entry {
        std::wstring name;
        bool folder = false;
    };
    // A folder's entries, read once per build: the applications of a package share their folders, and listing a
    // folder costs far more than a look at the list (under Wine a millisecond a time).
    const std::vector<t_Entry>& Listing(const std::wstring& folder);

    std::vector<std::wstring> languages_; // lower case, most preferred first
    std::map<std::wstring, std::vector<t_Entry>> listings_;
    t_LogoPattern pattern_;
    t_LogoCandidate best_;
    std::wstring bestPath_;
};

} // namespace n_ombrix
