#include "system/resource_string.h"

namespace n_zql::n_system::n_windows {

std::wstring ResourceString(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    // With no buffer, LoadStringW gives a pointer into the resource and its length.
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    const std::wstring_view stored(text, static_cast<std::size_t>(length));
    const std::size_t end = stored.find(L'\0');
    return end == std::wstring_view::npos ? std::wstring() : std::wstring(stored.substr(0, end));
}

} // namespace n_zql::n_system::n_windows
