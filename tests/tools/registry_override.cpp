#include "registry_override.h"

#include "system/error_exception.h"
#include "system/unique_handle.h"

#include <utility>

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows;

namespace {

t_RegistryKey OpenKey(const std::wstring& path) {
    t_RegistryKey key;
    const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                           nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS) ThrowWin32Error(static_cast<std::uint32_t>(status));
    return key;
}

void SetString(HKEY key, const std::wstring& name, DWORD type, const std::wstring& value) {
    const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) ThrowWin32Error(static_cast<std::uint32_t>(status));
}

} // namespace

t_RegistryOverride::t_RegistryOverride(std::wstring keyPath, std::wstring valueName, const std::wstring& value,
                                       DWORD type)
    : keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    const t_RegistryKey key = OpenKey(keyPath_);
    DWORD savedType = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), valueName_.c_str(), nullptr, &savedType, nullptr, &size) == ERROR_SUCCESS) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        RegQueryValueExW(key.Get(), valueName_.c_str(), nullptr, &savedType, reinterpret_cast<BYTE*>(data.data()),
                         &size);
        data.resize(size / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        saved_ = t_Saved{savedType, data};
    }
    SetString(key.Get(), valueName_, type, value);
}

t_RegistryOverride::~t_RegistryOverride() {
    try {
        const t_RegistryKey key = OpenKey(keyPath_);
        if (saved_)
            SetString(key.Get(), valueName_, saved_->type, saved_->data);
        else
            RegDeleteValueW(key.Get(), valueName_.c_str());
    } catch (...) {
        // The next test starts from whatever is left; nothing more can be done from a destructor.
    }
}

} // namespace n_ombrix_test
