#pragma once
// The byte boundary for wide text. Our strings hold UTF-16 code units on Windows; where wchar_t is 32 bits (the
// native test build) a character beyond 16 bits is written as its surrogate pair, so bytes come out the same.

#include <cstdint>
#include <string_view>

namespace n_zql::n_system {

template <typename Sink>
void ForEachUtf16Unit(std::wstring_view text, Sink&& sink) {
    for (wchar_t character : text) {
        const auto value = static_cast<std::uint32_t>(character);
        if (value > 0xFFFF && value <= 0x10FFFF) {
            const std::uint32_t offset = value - 0x10000;
            sink(static_cast<std::uint16_t>(0xD800 + (offset >> 10)));
            sink(static_cast<std::uint16_t>(0xDC00 + (offset & 0x3FF)));
        } else {
            sink(static_cast<std::uint16_t>(value));
        }
    }
}

} // namespace n_zql::n_system
