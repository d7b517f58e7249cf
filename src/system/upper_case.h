#pragma once
// Upper case as the shell compares names and keys: towupper per UTF-16 unit, following the character-type locale
// the program sets at start. Platform-neutral.

#include <array>
#include <cstddef>
#include <cwctype>
#include <string>
#include <string_view>
#include <type_traits>

namespace n_zql::n_system {

namespace n_upper_case {

// towupper is a call into the C runtime for every unit; loading a full history or building the search over the
// catalogue upper-cases hundreds of thousands of them, nearly all ASCII. The ASCII range goes through this table,
// filled by towupper on first use, after start-up has set the character-type locale.
inline const std::array<wchar_t, 128>& AsciiTable() {
    static const std::array<wchar_t, 128> table = [] {
        std::array<wchar_t, 128> upper{};
        for (std::size_t c = 0; c < upper.size(); ++c)
            upper[c] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
        return upper;
    }();
    return table;
}

} // namespace n_upper_case

inline wchar_t UpperCased(wchar_t unit) noexcept {
    // Through the unsigned type, so that a unit above 0x7FFF never reaches towupper as a negative value.
    const auto value = static_cast<std::make_unsigned_t<wchar_t>>(unit);
    if (value < 128) return n_upper_case::AsciiTable()[value];
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(value)));
}

// Appends the text with every unit upper-cased.
inline void AppendUpperCased(std::wstring& target, std::wstring_view text) {
    const std::array<wchar_t, 128>& ascii = n_upper_case::AsciiTable();
    const std::size_t start = target.size();
    target.append(text);
    for (auto unit = target.begin() + static_cast<std::ptrdiff_t>(start); unit != target.end(); ++unit) {
        const auto value = static_cast<std::make_unsigned_t<wchar_t>>(*unit);
        *unit =
            value < ascii.size() ? ascii[value] : static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(value)));
    }
}

inline std::wstring UpperCased(std::wstring_view text) {
    std::wstring upper;
    AppendUpperCased(upper, text);
    return upper;
}

} // namespace n_zql::n_system
