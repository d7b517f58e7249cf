#include "registry_override.h"

#include "system/error_exception.h"

#include <utility>

namespace n_ombrix_test {

t_RegistryOverride::t_RegistryOverride(std::wstring keyPath, std::wstring valueName, const std::wstring& value,
                                       DWORD type)
    : t_RegistryOverride(std::move(keyPath), std::move(valueName), type, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) {}

t_RegistryOverride::t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD value)
    : t_RegistryOverride(std::move(keyPath), std::move(valueName), REG_DWORD, &value, sizeof value) {}

t_RegistryOverride::t_RegistryOverride(std::wstring keyPath, std::wstring valueName, DWORD type, const void* data,
                                       DWORD size)
    : keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    // The value as stored, whatever its type: environment references stay unexpanded.
    const auto query = [&](void* data, DWORD* size) {
        return RegGetValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                            &savedType_, data, size);
    };
    if (DWORD size = 0; query(nullptr, &size) == ERROR_SUCCESS) {
        savedBytes_.emplace(size, '\0');
        query(savedBytes_->data(), &size);
        savedBytes_->resize(size);
    }
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), type, data, size);
    if (status != ERROR_SUCCESS) n_zql::n_system::n_windows::ThrowWin32Error(static_cast<std::uint32_t>(status));
}

// Failures are dropped: the next test starts from whatever is left.
t_RegistryOverride::~t_RegistryOverride() {
    if (savedBytes_)
        RegSetKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str(), savedType_, savedBytes_->data(),
                        static_cast<DWORD>(savedBytes_->size()));
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), valueName_.c_str());
}

} // namespace n_ombrix_test
