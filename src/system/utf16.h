#pragma once
// The byte boundary for wide text. Our strings hold UTF-16 code units on Windows; where wchar_t is 32 bits (the
// native test build) a character beyond 16 bits is written as its surrogate pair, so bytes come out the same.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace n_zql::n_system {

template <typename Sink> void ForEachUtf16Unit(std::wstring_view text, Sink&& sink) {
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

// UTF-16LE bytes as text, up to the first NUL or the last whole unit. Where wchar_t is wider than 16 bits,
// surrogate pairs become one character and lone surrogates stay as they are, which ForEachUtf16Unit writes back
// unchanged.
inline std::wstring TextFromUtf16(std::span<const std::byte> bytes) {
    const auto unitAt = [&bytes](std::size_t i) {
        return std::to_integer<std::uint32_t>(bytes[2 * i]) | (std::to_integer<std::uint32_t>(bytes[2 * i + 1]) << 8);
    };
    const std::size_t count = bytes.size() / 2;
    std::wstring text;
    text.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t unit = unitAt(i);
        if (unit == 0) break;
        if constexpr (sizeof(wchar_t) > 2) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
                const std::uint32_t low = unitAt(i + 1);
                if (low >= 0xDC00 && low < 0xE000) {
                    text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                    ++i;
                    continue;
                }
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

} // namespace n_zql::n_system
