// Variants of a package's logo, written as the files a folder lists in enumeration order, and the one chosen.

#include "catalogue/logo_qualifiers.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;

namespace {

const std::vector<std::wstring> languages{L"en-us", L"en"};

// The file chosen among the names, for a 44-pixel logo drawn at 24 of a whole 32 unless said otherwise.
std::wstring Chosen(const std::vector<std::wstring>& files, std::int32_t target = 24, bool square30 = false) {
    const t_LogoPattern pattern = LogoPattern(L"C:\\Package", L"Assets\\Square44x44Logo.png");
    t_LogoCandidate best{.valid = false};
    std::wstring chosen;
    for (const std::wstring& file : files) {
        t_LogoCandidate candidate{.languageRank = 2, .wantedFull = 32, .wantedTarget = target, .square30 = square30};
        ApplyLogoQualifiers(LogoFileQualifiers(file, pattern), languages, candidate);
        if (IsBetterLogo(candidate, best)) best = candidate, chosen = file;
    }
    return chosen;
}

std::wstring Name(std::wstring_view qualifiers) { return L"Square44x44Logo." + std::wstring(qualifiers) + L".png"; }

} // namespace

TEST(LogoQualifiers, TheSmallestThatReachesTheSizeWinsPlatedAndPlainFirst) {
    const std::tuple<std::vector<std::wstring>, std::int32_t, std::wstring> cases[] = {
        // files, target, chosen
        // targetsize-16 is no size the platform knows: unknown, and so not preferred.
        {{Name(L"targetsize-16"), Name(L"targetsize-24"), Name(L"targetsize-32")}, 24, Name(L"targetsize-24")},
        {{Name(L"scale-200"), Name(L"scale-100")}, 24, Name(L"scale-100")},             // 88 and 44 pixels
        {{Name(L"targetsize-32"), Name(L"targetsize-48")}, 64, Name(L"targetsize-48")}, // none reaches: the largest
        {{L"Square44x44Logo.png", Name(L"targetsize-24_altform-unplated")}, 24, L"Square44x44Logo.png"},
        {{Name(L"targetsize-24_altform-unplated"), L"Square44x44Logo.png"},
         24,
         Name(L"targetsize-24_altform-unplated")},
        {{Name(L"targetsize-24_altform-colorize"), Name(L"targetsize-24_contrast-white"), Name(L"targetsize-24")},
         24,
         Name(L"targetsize-24")},
        // Another language, or a qualifier of no known kind, is none of the user's; one of them ranks first.
        {{Name(L"scale-100_lang-de-de"), Name(L"theme-dark_scale-100")}, 24, L""},
        {{Name(L"targetsize-24"), Name(L"targetsize-48__LANGUAGE-EN-US")}, 24, Name(L"targetsize-48__LANGUAGE-EN-US")},
        // A scale the platform does not know leaves the size unknown, yet the file is acceptable.
        {{Name(L"scale-140")}, 24, Name(L"scale-140")},
    };
    for (const auto& [files, target, chosen] : cases) EXPECT_EQ(Chosen(files, target), chosen) << chosen;
    EXPECT_EQ(Chosen({Name(L"scale-80"), Name(L"scale-100")}, 24, true), Name(L"scale-80")) << "30-pixel scales: 24";
}

TEST(LogoQualifiers, TheFolderJoinsRootAndPathWithSingleBackslashes) {
    using t_Text = std::wstring_view;
    const std::tuple<t_Text, t_Text, t_Text, t_Text, t_Text> cases[] = {
        // root, path, folder, base, extension
        {L"C:\\Package", L"Assets/Logo.png", L"C:\\Package\\Assets\\", L"Logo", L".png"},
        {L"C:\\Package\\", L"\\Assets\\\\Logo.scale-100.png", L"C:\\Package\\Assets\\", L"Logo.scale-100", L".png"},
        {L"C:\\Package", L"Logo", L"C:\\Package\\", L"Logo", L""},
        {L"\\\\server\\share\\Package", L"Assets\\Logo.png", L"\\\\server\\share\\Package\\Assets\\", L"Logo", L".png"},
    };
    for (const auto& [root, path, folder, base, extension] : cases) {
        const t_LogoPattern pattern = LogoPattern(root, path);
        EXPECT_EQ(pattern.folder, folder) << std::wstring(path);
        EXPECT_EQ(pattern.baseName + L"|" + pattern.extension, std::wstring(base) + L"|" + std::wstring(extension));
    }
}
