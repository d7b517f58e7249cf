#pragma once
// Properties stored inside a shell link's own bytes: the property-store block of its extra data, which holds
// serialized property storages. Wine's link IPropertyStore reads nothing, so the AppUserModelID, the Start menu
// exclusion, a jump-list entry's title and its separator flag come from here where the platform does not answer.
// Platform-neutral; the bytes are untrusted (links from anywhere, jump-list files): every read is bounds-checked,
// nothing recurses, and bad data ends reading with what was read so far. Nothing here throws for bad data (only
// std::bad_alloc, and allocations are bounded by the input's size).

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace n_ombrix {

// A property set's format identifier as the bytes of the GUID on disk (first three fields little-endian).
using t_FormatId = std::array<std::uint8_t, 16>;

constexpr t_FormatId FormatId(std::uint32_t data1, std::uint16_t data2, std::uint16_t data3,
                              std::array<std::uint8_t, 8> data4) {
    return {static_cast<std::uint8_t>(data1),
            static_cast<std::uint8_t>(data1 >> 8),
            static_cast<std::uint8_t>(data1 >> 16),
            static_cast<std::uint8_t>(data1 >> 24),
            static_cast<std::uint8_t>(data2),
            static_cast<std::uint8_t>(data2 >> 8),
            static_cast<std::uint8_t>(data3),
            static_cast<std::uint8_t>(data3 >> 8),
            data4[0],
            data4[1],
            data4[2],
            data4[3],
            data4[4],
            data4[5],
            data4[6],
            data4[7]};
}

struct t_PropertyKey {
    t_FormatId formatId{};
    std::uint32_t id = 0;
    friend auto operator<=>(const t_PropertyKey&, const t_PropertyKey&) = default;
};

constexpr t_FormatId appUserModelFormatId =
    FormatId(0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3});
constexpr t_FormatId summaryInformationFormatId =
    FormatId(0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9});
// Values in this set are named by strings instead of integers.
constexpr t_FormatId stringNamedFormatId =
    FormatId(0xD5CDD505, 0x2E9C, 0x101B, {0x93, 0x97, 0x08, 0x00, 0x2B, 0x2C, 0xF9, 0xAE});

// System.AppUserModel.ID, a string.
constexpr t_PropertyKey appUserModelIdKey{appUserModelFormatId, 5};
// System.AppUserModel.IsDestListSeparator, a boolean.
constexpr t_PropertyKey isDestListSeparatorKey{appUserModelFormatId, 6};
// Any value of this key keeps a link out of the Start menu.
constexpr t_PropertyKey startMenuExclusionKey{appUserModelFormatId, 17};
// System.Title, a string.
constexpr t_PropertyKey titleKey{summaryInformationFormatId, 2};
// System.Link.Arguments, a string: the platform's store answers it from the link's own arguments field.
constexpr t_PropertyKey linkArgumentsKey{
    FormatId(0x436F2667, 0x14E2, 0x4FEB, {0xB3, 0x0A, 0x14, 0x6C, 0x53, 0xB5, 0xB6, 0x74}), 100};

// The kinds of value we read: VT_LPWSTR, VT_BOOL, VT_UI4 or VT_I4 (the latter's bits as unsigned).
using t_PropertyValue = std::variant<std::wstring, bool, std::uint32_t>;

struct t_Property {
    t_PropertyKey key{};
    t_PropertyValue value{};
};

// The values found, in the order read. A key's first readable value wins, whichever storage or block holds it;
// later ones are dropped. Values of other types, and values named by strings, are skipped.
class t_PropertyValues {
public:
    std::optional<std::wstring> String(const t_PropertyKey& key) const;
    std::optional<bool> Bool(const t_PropertyKey& key) const;
    std::optional<std::uint32_t> Integer(const t_PropertyKey& key) const;
    // Whether the key has a value of any type but VT_EMPTY, including the types that are skipped: some keys mean
    // something by being there at all.
    bool Has(const t_PropertyKey& key) const { return present.contains(key); }
    const std::vector<t_Property>& All() const noexcept { return properties; }

    // Keeps the value unless the key already has one.
    void Add(const t_PropertyKey& key, t_PropertyValue value);
    // Notes a value of a type that is not kept.
    void AddPresence(const t_PropertyKey& key) { present.insert(key); }

private:
    const t_PropertyValue* Find(const t_PropertyKey& key) const noexcept;

    std::vector<t_Property> properties;
    std::map<t_PropertyKey, std::size_t> index; // into properties, so that reading stays O(n log n)
    std::set<t_PropertyKey> present;
};

enum class t_LinkReadStatus {
    notALink,  // no shell-link header: wrong size field or class identifier, or fewer than 76 bytes
    truncated, // the bytes end, or a length lies, before the terminal block; what was read is kept
    complete,  // the terminal block was reached
};

struct t_LinkProperties {
    t_LinkReadStatus status = t_LinkReadStatus::notALink;
    // When complete: the bytes the link occupies up to the end of its terminal block (links stored back to back,
    // as in jump-list files, start the next one there). Otherwise the bytes read, which is not a link's end.
    std::size_t size = 0;
    t_PropertyValues properties;
};

// Reads the property-store blocks of the shell link at the start of the bytes.
t_LinkProperties ReadLinkProperties(std::span<const std::byte> linkBytes);

// Reads serialized property storages (a property-store block's contents after its size and signature) into the
// values. Returns false when reading stopped early: the bytes end inside a storage or a value, or a length lies.
// Storages end at a size of 0 or at the end of the bytes.
bool ReadPropertyStorages(std::span<const std::byte> storages, t_PropertyValues& values);

} // namespace n_ombrix
