#pragma once
// Registering a package in the user's part of the registry, where the shell keeps its packages' locations.

#include <windows.h>

#include <string>

namespace n_ombrix_test {

// A package of our own registered for the user as Windows registers one, its keys removed at the end.
struct t_RegisteredPackage {
    t_RegisteredPackage(const std::wstring& family, const std::wstring& full, const std::wstring& root, DWORD flags)
        : familyKey(std::wstring(repository) + L"Families\\" + family),
          packageKey(std::wstring(repository) + L"Packages\\" + full) {
        RegSetKeyValueW(HKEY_CURRENT_USER, (familyKey + L"\\" + full).c_str(), L"Flags", REG_DWORD, &flags,
                        sizeof flags);
        RegSetKeyValueW(HKEY_CURRENT_USER, packageKey.c_str(), L"PackageRootFolder", REG_SZ, root.c_str(),
                        static_cast<DWORD>((root.size() + 1) * sizeof(wchar_t)));
    }
    ~t_RegisteredPackage() {
        RegDeleteTreeW(HKEY_CURRENT_USER, familyKey.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, packageKey.c_str());
    }
    static constexpr wchar_t repository[] =
        L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\";
    const std::wstring familyKey, packageKey;
};

} // namespace n_ombrix_test
