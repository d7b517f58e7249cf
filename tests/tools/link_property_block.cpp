#include "link_property_block.h"

#include "system/utf16.h"

#include <set>
#include <string_view>

namespace n_ombrix_test {

using namespace n_ombrix;

namespace {

void Put(std::vector<std::byte>& out, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::byte>((value >> (8 * i)) & 0xFF));
}

// Puts the piece behind a 4-byte size that counts itself too.
void PutSized(std::vector<std::byte>& out, const std::vector<std::byte>& piece) {
    Put(out, static_cast<std::uint32_t>(4 + piece.size()));
    out.insert(out.end(), piece.begin(), piece.end());
}

// A serialised value after its size: the id, a reserved byte, the type and the value.
std::vector<std::byte> Value(const t_Property& property) {
    std::vector<std::byte> out;
    Put(out, property.key.id);
    Put(out, 0, 1);
    if (const auto* text = std::get_if<std::wstring>(&property.value)) {
        std::vector<std::uint16_t> units;
        n_zql::n_system::ForEachUtf16Unit(std::wstring_view(*text).substr(0, text->find(L'\0')),
                                          [&](std::uint16_t unit) { units.push_back(unit); });
        Put(out, 0x001F);                                       // VT_LPWSTR
        Put(out, static_cast<std::uint32_t>(units.size() + 1)); // with the ending NUL
        units.resize(units.size() + 2 - units.size() % 2);      // the NUL, and padding to a multiple of 4 bytes
        for (const std::uint16_t unit : units) Put(out, unit, 2);
    } else if (const auto* flag = std::get_if<bool>(&property.value)) {
        Put(out, 0x000B); // VT_BOOL
        Put(out, *flag ? 0xFFFF : 0);
    } else {
        Put(out, 0x0013); // VT_UI4
        Put(out, std::get<std::uint32_t>(property.value));
    }
    return out;
}

} // namespace

std::vector<std::byte> PropertyStoreDataBlock(std::span<const t_Property> properties) {
    std::vector<std::byte> block;
    Put(block, 0xA0000009);
    std::set<t_FormatId> done{stringNamedFormatId}; // its values are named by strings, which we do not write
    for (const t_Property& first : properties) {
        // One storage for each format identifier, where it is first used.
        const t_FormatId& formatId = first.key.formatId;
        if (!done.insert(formatId).second) continue;
        std::vector<std::byte> storage;
        Put(storage, 0x53505331); // "1SPS"
        for (const std::uint8_t byte : formatId) Put(storage, byte, 1);
        for (const t_Property& property : properties)
            if (property.key.formatId == formatId) PutSized(storage, Value(property));
        Put(storage, 0);
        PutSized(block, storage);
    }
    Put(block, 0);
    std::vector<std::byte> out;
    PutSized(out, block);
    return out;
}

std::vector<std::byte> WithPropertyStoreDataBlock(std::span<const std::byte> linkBytes,
                                                  std::span<const std::byte> block) {
    const t_LinkProperties link = ReadLinkProperties(linkBytes);
    if (link.status != t_LinkReadStatus::complete) return {};
    std::vector<std::byte> out(linkBytes.begin(), linkBytes.begin() + static_cast<std::ptrdiff_t>(link.size));
    out.insert(out.end() - 4, block.begin(), block.end());
    return out;
}

} // namespace n_ombrix_test
