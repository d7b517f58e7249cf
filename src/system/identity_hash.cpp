#include "system/identity_hash.h"

#include "system/upper_case.h"
#include "system/utf16.h"

#include <array>
#include <string>

namespace n_zql::n_system {

namespace {

constexpr std::uint64_t polynomial = 0x92C64265D32139A4ull;

constexpr std::array<std::uint64_t, 256> MakeTable() {
    std::array<std::uint64_t, 256> table{};
    for (std::uint64_t i = 0; i < 256; ++i) {
        std::uint64_t value = i;
        for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ polynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr auto table = MakeTable();

inline std::uint64_t Step(std::uint64_t crc, std::uint8_t byte) noexcept {
    return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

} // namespace

t_IdentityHash Crc64(std::span<const std::byte> bytes, t_IdentityHash crc) noexcept {
    for (std::byte b : bytes) crc = Step(crc, static_cast<std::uint8_t>(b));
    return crc;
}

t_IdentityHash Crc64OfText(std::wstring_view text, t_IdentityHash crc) noexcept {
    ForEachUtf16Unit(text, [&crc](std::uint16_t unit) {
        crc = Step(crc, static_cast<std::uint8_t>(unit & 0xFF));
        crc = Step(crc, static_cast<std::uint8_t>(unit >> 8));
    });
    return crc;
}

t_IdentityHash ApplicationIdentityHash(std::wstring_view applicationIdentity) {
    return Crc64OfText(UpperCased(applicationIdentity));
}

} // namespace n_zql::n_system
