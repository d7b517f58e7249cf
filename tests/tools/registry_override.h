#pragma once
// Sets a string or number value under HKEY_CURRENT_USER for the length of a test and puts back what was there (or
// removes the value if there was none).

#include "system/error_exception.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace n_ombrix_test {

class t_RegistryOverride {
public:
    // The key is made if it is missing; a failure throws the Windows error exception.
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, const std::wstring& value, DWORD type = REG_SZ)
        : t_RegistryOverride(std::move(keyPath), std::move(valueName), type, value.c_str(),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) {}
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD value)
        : t_RegistryOverride(std::move(keyPath), std::move(valueName), REG_DWORD, &value, sizeof value) {}
    t_RegistryOverride(const t_RegistryOverride&) = delete;
    t_RegistryOverride& operator=(const t_RegistryOverride&) = delete;
    // Failures are dropped: the next test starts from whatever is left.
    ~t_RegistryOverride() {
        if (savedBytes_)
            RegSetKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), savedType_, savedBytes_->data(),
                            static_cast<DWORD>(savedBytes_->size()));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str());
    }

private:
    t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD type, const void* data, DWORD size)
        : keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
        // The value as stored, whatever its type: environment references stay unexpanded.
        const auto query = [&](void* saved, DWORD* savedSize) {
            return RegGetValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                                &savedType_, saved, savedSize);
        };
        if (DWORD savedSize = 0; query(nullptr, &savedSize) == ERROR_SUCCESS) {
            savedBytes_.emplace(savedSize, '\0');
            query(savedBytes_->data(), &savedSize);
            savedBytes_->resize(savedSize);
        }
        const LSTATUS status =
            RegSetKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), type, data, size);
        if (status != ERROR_SUCCESS) n_zql::n_system::n_windows::ThrowWin32Error(static_cast<std::uint32_t>(status));
    }

    std::wstring keyPath_;
    std::wstring valueName_;
    DWORD savedType_ = REG_NONE;
    std::optional<std::string> savedBytes_; // none: there was no value
};

// The folder settings through which the shell finds the user's known folders.
inline constexpr wchar_t userShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

} // namespace n_ombrix_test
