#pragma once
// What the catalogue takes from an installed package: its applications as its manifest lists them, which of them
// belong in the list, and the texts and numbers an item is made from. Platform-neutral; finding the packages in the
// registry, resolving resource names and drawing logos are the Windows layer's.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

// One application of a package.
struct t_PackagedApp {
    std::wstring familyName;
    std::wstring fullName;
    std::wstring rootFolder; // ends in one backslash
    std::wstring identityName;
    std::wstring applicationId;
    std::wstring displayName;
    std::wstring description;
    std::wstring square44Logo;
    std::wstring square30Logo;
    std::wstring backgroundColor = L"#FFFFFF";
    std::wstring appListEntry = L"default";
};

// The applications of a manifest (AppxManifest.xml, in any encoding the XML declares or its bytes show), each with
// the package's names and folder; none when the manifest cannot be read or parsed.
std::vector<t_PackagedApp> ManifestApplications(const std::wstring& manifestPath, const t_PackagedApp& package);
std::vector<t_PackagedApp> ManifestApplications(const void* bytes, std::size_t size, const t_PackagedApp& package);

// Whether the application is meant for the list and says enough to be shown.
bool IsListable(const t_PackagedApp& app) noexcept;

// The indirect string through which the shell resolves a resource reference of the manifest ("ms-resource:..."),
// or the text itself when it is none.
std::wstring IndirectString(const t_PackagedApp& app, std::wstring_view text);

// A name to show when a resource reference cannot be resolved (under Wine, never): the package's identity after its
// publisher's part, "Photos" for "Example.Photos".
std::wstring FallbackName(const t_PackagedApp& app);

// The logo's background, opaque: "#RRGGBB" (read as hexadecimal digits up to the first other character), else the
// fallback.
std::uint32_t LogoBackground(std::wstring_view backgroundColor, std::uint32_t fallback) noexcept;

// The size a logo is drawn at inside an image of the size: three quarters of a large one, with an even margin; two
// pixels less than a small one.
std::int32_t LogoTargetSize(std::int32_t size, bool large) noexcept;

} // namespace n_ombrix
