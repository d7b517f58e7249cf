#include "link_property_block.h"

#include "system/utf16.h"

#include <algorithm>
#include <string_view>

namespace n_ombrix_test {

using namespace n_ombrix;

namespace {

void Put16(std::vector<std::byte>& out, std::uint32_t value) {
    out.push_back(static_cast<std::byte>(value & 0xFF));
    out.push_back(static_cast<std::byte>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::byte>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Writes the size of what was put since start at start.
void PatchSize(std::vector<std::byte>& out, std::size_t start) {
    const std::size_t size = out.size() - start;
    for (int i = 0; i < 4; ++i) out[start + i] = static_cast<std::byte>((size >> (8 * i)) & 0xFF);
}

void PutValue(std::vector<std::byte>& out, const t_Property& property) {
    const std::size_t start = out.size();
    Put32(out, 0);
    Put32(out, property.key.id);
    out.push_back(std::byte{0});
    if (const auto* text = std::get_if<std::wstring>(&property.value)) {
        std::vector<std::uint16_t> units;
        n_zql::n_system::ForEachUtf16Unit(std::wstring_view(*text).substr(0, text->find(L'\0')),
                                          [&](std::uint16_t unit) { units.push_back(unit); });
        Put32(out, 0x001F); // VT_LPWSTR
        Put32(out, static_cast<std::uint32_t>(units.size() + 1));
        for (const std::uint16_t unit : units) Put16(out, unit);
        Put16(out, 0);
        if (units.size() % 2 == 0) Put16(out, 0); // the characters are padded to a multiple of 4 bytes
    } else if (const auto* flag = std::get_if<bool>(&property.value)) {
        Put32(out, 0x000B); // VT_BOOL
        Put32(out, *flag ? 0xFFFF : 0);
    } else {
        Put32(out, 0x0013); // VT_UI4
        Put32(out, std::get<std::uint32_t>(property.value));
    }
    PatchSize(out, start);
}

} // namespace

std::vector<std::byte> PropertyStoreDataBlock(std::span<const t_Property> properties) {
    std::vector<t_FormatId> formatIds;
    for (const t_Property& property : properties) {
        if (property.key.formatId != stringNamedFormatId &&
            std::find(formatIds.begin(), formatIds.end(), property.key.formatId) == formatIds.end()) {
            formatIds.push_back(property.key.formatId);
        }
    }
    std::vector<std::byte> out;
    Put32(out, 0);
    Put32(out, 0xA0000009);
    for (const t_FormatId& formatId : formatIds) {
        const std::size_t start = out.size();
        Put32(out, 0);
        Put32(out, 0x53505331); // "1SPS"
        for (const std::uint8_t byte : formatId) out.push_back(static_cast<std::byte>(byte));
        for (const t_Property& property : properties)
            if (property.key.formatId == formatId) PutValue(out, property);
        Put32(out, 0);
        PatchSize(out, start);
    }
    Put32(out, 0);
    PatchSize(out, 0);
    return out;
}

std::vector<std::byte> WithPropertyStoreDataBlock(std::span<const std::byte> linkBytes,
                                                  std::span<const std::byte> block) {
    const t_LinkProperties link = ReadLinkProperties(linkBytes);
    if (link.status != t_LinkReadStatus::complete) return {};
    std::vector<std::byte> out(linkBytes.begin(), linkBytes.begin() + static_cast<std::ptrdiff_t>(link.size - 4));
    out.insert(out.end(), block.begin(), block.end());
    out.insert(out.end(), linkBytes.begin() + static_cast<std::ptrdiff_t>(link.size - 4),
               linkBytes.begin() + static_cast<std::ptrdiff_t>(link.size));
    return out;
}

} // namespace n_ombrix_test
