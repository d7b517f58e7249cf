#pragma once
// Sets a string or number value under HKEY_CURRENT_USER for the length of a test and puts back what was there (or
// removes the value if there was none).

#include <windows.h>

#include <optional>
#include <string>

namespace n_ombrix_test {

class t_RegistryOverride {
public:
    // The key is made if it is missing; a failure throws the Windows error exception.
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, const std::wstring& value, DWORD type = REG_SZ);
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD value);
    t_RegistryOverride(const t_RegistryOverride&) = delete;
    t_RegistryOverride& operator=(const t_RegistryOverride&) = delete;
    ~t_RegistryOverride();

private:
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD type, const void* data, DWORD size);

    std::wstring keyPath_;
    std::wstring valueName_;
    DWORD savedType_ = REG_NONE;
    std::optional<std::string> savedBytes_; // none: there was no value
};

// The folder settings through which the shell finds the user's known folders.
inline constexpr wchar_t userShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

} // namespace n_ombrix_test
