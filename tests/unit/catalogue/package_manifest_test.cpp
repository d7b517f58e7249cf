// Manifests of packages of our own, written for these tests in the documented format, and what becomes of them.

#include "catalogue/package_manifest.h"

#include "quillwort_manifest.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace n_ombrix;
using n_ombrix_test::quillwortManifest;

namespace {

const t_PackagedApp package = [] {
    t_PackagedApp app;
    app.familyName = L"Quillwort.Notes_abc";
    app.fullName = L"Quillwort.Notes_1.0.0.0_x64__abc";
    app.rootFolder = L"C:\\Packages\\Notes\\";
    return app;
}();

std::string Utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) bytes += std::string{c, '\0'};
    return bytes;
}

} // namespace

TEST(PackageManifest, EveryApplicationInAnyEncodingWithItsVisualElementsAndOnlyTheCompleteOnesListed) {
    const std::string utf8 = quillwortManifest;
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, Utf16(utf8)}) {
        const std::vector<t_PackagedApp> apps = ManifestApplications(bytes.data(), bytes.size(), package);
        ASSERT_EQ(apps.size(), 5u);
        EXPECT_EQ(apps[0].identityName + L"!" + apps[0].applicationId, L"Quillwort.Notes!Notes");
        EXPECT_EQ(apps[0].displayName + L"|" + apps[0].square44Logo + L"|" + apps[0].backgroundColor,
                  L"ms-resource:AppTitle|Assets\\Logo.png|#00FF00");
        EXPECT_EQ(apps[4].backgroundColor + L"|" + apps[4].appListEntry, L"#FFFFFF|default");
        std::vector<bool> listable;
        for (const t_PackagedApp& app : apps) listable.push_back(IsListable(app));
        EXPECT_EQ(listable, std::vector<bool>({true, true, true, false, false}))
            << "a 44- or a 30-pixel logo; AppListEntry none; no description";
    }
    EXPECT_TRUE(ManifestApplications(quillwortManifest, sizeof quillwortManifest - 40, package).empty()) << "cut short";
}

TEST(PackageManifest, ResourceNamesBecomeIndirectStringsOfThePackage) {
    t_PackagedApp app = package;
    app.identityName = L"Quillwort.Notes";
    const std::wstring start = L"@{Quillwort.Notes_1.0.0.0_x64__abc?ms-resource://";
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        // a name, the indirect string's end
        {L"Plain name", L"Plain name"},
        {L"ms-resource:AppTitle", L"Quillwort.Notes/Resources/AppTitle}"},
        {L"ms-resource:///Quillwort.Notes/Resources/AppTitle", L"Quillwort.Notes/Resources/AppTitle}"},
        {L"ms-resource:/Strings/Title", L"Quillwort.Notes/Strings/Title}"},
        {L"ms-resource:Strings/Title", L"Quillwort.Notes/Resources/Strings/Title}"},
        {L"ms-resource:Other.Resources/Title", L"Quillwort.Notes/Other.Resources/Title}"},
    };
    for (const auto& [text, indirect] : cases)
        EXPECT_EQ(IndirectString(app, text), (text.find(L':') == text.npos ? L"" : start) + std::wstring(indirect));
    EXPECT_EQ(FallbackName(app), L"Notes");
}

TEST(PackageManifest, BackgroundsAndDrawnSizes) {
    EXPECT_EQ(LogoBackground(L"#2080C0", 0x123456), 0xFF2080C0u);
    EXPECT_EQ(LogoBackground(L"#20zz", 0x123456), 0xFF000020u) << "digits up to the first other character";
    EXPECT_EQ(LogoBackground(L"transparent", 0x123456), 0xFF123456u);
    EXPECT_EQ(std::vector<std::int32_t>({LogoTargetSize(32, true), LogoTargetSize(40, true), LogoTargetSize(25, true),
                                         LogoTargetSize(16, false)}),
              std::vector<std::int32_t>({24, 30, 19, 14}));
}
