#include "catalogue/installed_packages.h"

#include "catalogue/catalogue_watcher.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <string>

namespace n_ombrix {

namespace {

using n_zql::n_system::n_windows::t_RegistryKey;

constexpr wchar_t packagesKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\Packages";
constexpr DWORD registeredFlag = 1; // bit 0 of a package's "Flags": installed for this user

t_RegistryKey OpenKey(HKEY parent, const std::wstring& path, REGSAM access) {
    t_RegistryKey key;
    RegOpenKeyExW(parent, path.c_str(), 0, access, key.Put());
    return key;
}

// The subkeys' names, by increasing index until a call fails.
std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[260];
        DWORD length = 260;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool Registered(HKEY family, const std::wstring& fullName) {
    const t_RegistryKey package = OpenKey(family, fullName, KEY_QUERY_VALUE);
    DWORD flags = 0, type = 0, size = sizeof flags;
    return package &&
           RegQueryValueExW(package.Get(), L"Flags", nullptr, &type, reinterpret_cast<BYTE*>(&flags), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof flags && (flags & registeredFlag) != 0;
}

// "PackageRootFolder", ending in one backslash; empty when it is not a sound string.
std::wstring RootFolder(const std::wstring& fullName) {
    const t_RegistryKey package =
        OpenKey(OpenKey(HKEY_CURRENT_USER, packagesKey, KEY_ENUMERATE_SUB_KEYS).Get(), fullName, KEY_QUERY_VALUE);
    DWORD type = 0, size = 0;
    if (!package ||
        RegQueryValueExW(package.Get(), L"PackageRootFolder", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0 || size % sizeof(wchar_t) != 0)
        return {};
    std::wstring folder(size / sizeof(wchar_t), L'\0');
    if (RegQueryValueExW(package.Get(), L"PackageRootFolder", nullptr, &type, reinterpret_cast<BYTE*>(folder.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    folder.resize(std::min<std::size_t>(folder.size(), size / sizeof(wchar_t)));
    while (!folder.empty() && folder.back() == L'\0') folder.pop_back();
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    return folder;
}

} // namespace

std::vector<t_PackagedApp> InstalledPackagedApps() {
    std::vector<t_PackagedApp> apps;
    const t_RegistryKey families = OpenKey(HKEY_CURRENT_USER, packageFamiliesKey, KEY_ENUMERATE_SUB_KEYS);
    if (!families) return apps;
    for (const std::wstring& familyName : SubkeyNames(families.Get())) {
        const t_RegistryKey family = OpenKey(families.Get(), familyName, KEY_ENUMERATE_SUB_KEYS);
        for (const std::wstring& fullName : family ? SubkeyNames(family.Get()) : std::vector<std::wstring>()) {
            if (!Registered(family.Get(), fullName)) continue;
            t_PackagedApp package;
            package.familyName = familyName;
            package.fullName = fullName;
            package.rootFolder = RootFolder(fullName);
            if (package.rootFolder.empty()) continue;
            for (t_PackagedApp& app : ManifestApplications(package.rootFolder + L"\\AppxManifest.xml", package))
                apps.push_back(std::move(app));
        }
    }
    return apps;
}

} // namespace n_ombrix
