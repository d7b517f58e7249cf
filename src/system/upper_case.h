#pragma once
// Upper case as the shell compares names and keys: towupper per UTF-16 unit, following the character-type locale
// the program sets at start. Platform-neutral.

#include <cwctype>
#include <string>
#include <string_view>
#include <type_traits>

namespace n_zql::n_system {

inline wchar_t UpperCased(wchar_t unit) noexcept {
    // Through the unsigned type, so that a unit above 0x7FFF never reaches towupper as a negative value.
    const auto value = static_cast<std::make_unsigned_t<wchar_t>>(unit);
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(value)));
}

inline std::wstring UpperCased(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& unit : upper) unit = UpperCased(unit);
    return upper;
}

} // namespace n_zql::n_system
