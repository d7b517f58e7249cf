#pragma once
// The 64-bit identity hash: CRC-64 with the reflected polynomial 0x92C64265D32139A4, start value all ones, no final
// XOR, over UTF-16LE bytes. It names the shell's jump-list files (over the upper-cased application identity),
// checks jump-list records and keys caches. Platform-neutral.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace n_zql::n_system {

using t_IdentityHash = std::uint64_t;

constexpr t_IdentityHash identityHashStart = ~t_IdentityHash{0};

// Continues a CRC over more bytes; start with identityHashStart.
t_IdentityHash Crc64(std::span<const std::byte> bytes, t_IdentityHash crc = identityHashStart) noexcept;

// CRC over the text's UTF-16LE code units, whatever the width of wchar_t.
t_IdentityHash Crc64OfText(std::wstring_view text, t_IdentityHash crc = identityHashStart) noexcept;

// The hash of an application identity: the CRC of the identity in upper case (towupper per character, so it
// follows the runtime's character-type locale). An empty identity gives all ones.
t_IdentityHash ApplicationIdentityHash(std::wstring_view applicationIdentity);

} // namespace n_zql::n_system
