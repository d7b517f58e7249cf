#include "catalogue/package_manifest.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cwctype>

namespace n_ombrix {

namespace {

// The VisualElements attributes taken, by the end of their names (so that any namespace prefix does), in the order
// of precedence.
struct t_VisualAttribute {
    std::wstring_view suffix;
    std::wstring t_PackagedApp::*field;
};
constexpr std::array<t_VisualAttribute, 6> visualAttributes{{{L"DisplayName", &t_PackagedApp::displayName},
                                                             {L"Description", &t_PackagedApp::description},
                                                             {L"Square44x44Logo", &t_PackagedApp::square44Logo},
                                                             {L"Square30x30Logo", &t_PackagedApp::square30Logo},
                                                             {L"BackgroundColor", &t_PackagedApp::backgroundColor},
                                                             {L"AppListEntry", &t_PackagedApp::appListEntry}}};

std::vector<t_PackagedApp> Applications(const pugi::xml_document& manifest, const t_PackagedApp& package) {
    std::vector<t_PackagedApp> applications;
    const pugi::xml_node root = manifest.child(L"Package");
    const std::wstring identityName = root.child(L"Identity").attribute(L"Name").value();
    for (const pugi::xml_node application : root.child(L"Applications").children(L"Application")) {
        t_PackagedApp app = package;
        app.identityName = identityName;
        app.applicationId = application.attribute(L"Id").value();
        pugi::xml_node visual;
        for (const pugi::xml_node child : application.children())
            if (std::wstring_view(child.name()).ends_with(L"VisualElements")) {
                visual = child;
                break;
            }
        for (const pugi::xml_attribute attribute : visual.attributes())
            for (const auto& [suffix, field] : visualAttributes)
                if (std::wstring_view(attribute.name()).ends_with(suffix)) {
                    app.*field = attribute.value();
                    break;
                }
        applications.push_back(std::move(app));
    }
    return applications;
}

} // namespace

std::vector<t_PackagedApp> ManifestApplications(const std::wstring& manifestPath, const t_PackagedApp& package) {
    pugi::xml_document manifest;
    if (!manifest.load_file(manifestPath.c_str())) return {};
    return Applications(manifest, package);
}

std::vector<t_PackagedApp> ManifestApplications(const void* bytes, std::size_t size, const t_PackagedApp& package) {
    pugi::xml_document manifest;
    if (!manifest.load_buffer(bytes, size)) return {};
    return Applications(manifest, package);
}

bool IsListable(const t_PackagedApp& app) noexcept {
    for (const std::wstring* text : {&app.familyName, &app.fullName, &app.rootFolder, &app.identityName,
                                     &app.applicationId, &app.displayName, &app.description, &app.backgroundColor})
        if (text->empty()) return false;
    return (!app.square44Logo.empty() || !app.square30Logo.empty()) && app.appListEntry != L"none";
}

std::wstring IndirectString(const t_PackagedApp& app, std::wstring_view text) {
    const std::size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos) return std::wstring(text);
    std::wstring indirect = L"@{" + app.fullName + L"?" + std::wstring(text.substr(0, colon + 1)) + L"//";
    std::wstring_view rest = text.substr(colon + 1);
    const auto addIdentity = [&] {
        if (!rest.starts_with(app.identityName)) indirect += app.identityName + L"/";
    };
    if (rest.starts_with(L'/')) {
        rest.remove_prefix(std::min(rest.find_first_not_of(L'/'), rest.size()));
        addIdentity();
    } else {
        addIdentity();
        const std::size_t resources = rest.find(L".Resources/");
        if (resources == std::wstring_view::npos || rest.substr(0, resources).find(L'/') != std::wstring_view::npos)
            indirect += L"Resources/";
    }
    return indirect + std::wstring(rest) + L"}";
}

std::wstring FallbackName(const t_PackagedApp& app) {
    const std::size_t dot = app.identityName.rfind(L'.');
    return dot == std::wstring::npos || dot + 1 == app.identityName.size() ? app.identityName
                                                                           : app.identityName.substr(dot + 1);
}

std::uint32_t LogoBackground(std::wstring_view backgroundColor, std::uint32_t fallback) noexcept {
    if (!backgroundColor.starts_with(L'#')) return fallback | 0xFF000000u;
    std::uint32_t value = 0;
    for (const wchar_t digit : backgroundColor.substr(1)) {
        if (!std::iswxdigit(static_cast<std::wint_t>(digit))) break;
        const int nibble = digit <= L'9' ? digit - L'0' : (digit | 0x20) - L'a' + 10;
        value = value * 16 + static_cast<std::uint32_t>(nibble);
    }
    return value | 0xFF000000u;
}

std::int32_t LogoTargetSize(std::int32_t size, bool large) noexcept {
    if (!large) return size - 2;
    const std::int32_t target = size * 75 / 100;
    return target % 2 == size % 2 ? target : target + 1;
}

} // namespace n_ombrix
