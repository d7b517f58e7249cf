#include "catalogue/link_properties.h"

#include "system/utf16.h"

#include <algorithm>

namespace n_ombrix {

namespace {

constexpr std::uint32_t linkHeaderSize = 0x4C;
constexpr t_FormatId shellLinkClassId =
    FormatId(0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46});
constexpr std::uint32_t propertyStoreSignature = 0xA0000009;
constexpr std::uint32_t storageVersion = 0x53505331; // "1SPS" on disk
constexpr std::size_t storageHeaderSize = 24;        // size, version, format identifier
constexpr std::size_t integerNamedHeaderSize = 9;    // value size, identifier, reserved byte
constexpr std::size_t stringNamedHeaderSize = 9;     // value size, name size, reserved byte

constexpr std::uint32_t hasLinkTargetIdList = 0x1;
constexpr std::uint32_t hasLinkInfo = 0x2;
constexpr std::uint32_t isUnicode = 0x80;
// NAME_STRING, RELATIVE_PATH, WORKING_DIR, COMMAND_LINE_ARGUMENTS, ICON_LOCATION, in the order stored.
constexpr std::array<std::uint32_t, 5> stringDataFlags{0x4, 0x8, 0x10, 0x20, 0x40};

constexpr std::uint16_t vtEmpty = 0x0000;
constexpr std::uint16_t vtI4 = 0x0003;
constexpr std::uint16_t vtBool = 0x000B;
constexpr std::uint16_t vtUi4 = 0x0013;
constexpr std::uint16_t vtLpwstr = 0x001F;

// Callers check the bounds first.
std::uint16_t Read16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) |
                                      (std::to_integer<unsigned>(bytes[at + 1]) << 8));
}

std::uint32_t Read32(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Read16(bytes, at)) | (static_cast<std::uint32_t>(Read16(bytes, at + 2)) << 16);
}

t_FormatId ReadFormatId(std::span<const std::byte> bytes, std::size_t at) {
    t_FormatId id{};
    for (std::size_t i = 0; i < id.size(); ++i) id[i] = std::to_integer<std::uint8_t>(bytes[at + i]);
    return id;
}

struct t_LinkWalk {
    t_LinkReadStatus status = t_LinkReadStatus::notALink;
    std::size_t end = 0; // complete: the end of the terminal block; otherwise where reading stopped
};

// Walks the link's structures to its extra data and calls onBlock(offset, size, signature) for each extra-data
// block whose size fits the bytes. Each step moves forward by at least one byte, so the walk is linear.
template <typename OnBlock> t_LinkWalk WalkLink(std::span<const std::byte> bytes, OnBlock&& onBlock) {
    t_LinkWalk walk;
    if (bytes.size() < linkHeaderSize || Read32(bytes, 0) != linkHeaderSize ||
        ReadFormatId(bytes, 4) != shellLinkClassId) {
        return walk;
    }
    walk.status = t_LinkReadStatus::truncated;
    const std::uint32_t flags = Read32(bytes, 20);
    std::size_t at = linkHeaderSize;
    auto remaining = [&] { return bytes.size() - at; };

    if (flags & hasLinkTargetIdList) {
        if (remaining() < 2 || Read16(bytes, at) > remaining() - 2) return walk.end = at, walk;
        at += 2 + Read16(bytes, at);
    }
    if (flags & hasLinkInfo) {
        if (remaining() < 4) return walk.end = at, walk;
        const std::uint32_t size = Read32(bytes, at);
        if (size < 4 || size > remaining()) return walk.end = at, walk;
        at += size;
    }
    const std::size_t characterSize = (flags & isUnicode) ? 2 : 1;
    for (const std::uint32_t flag : stringDataFlags) {
        if (!(flags & flag)) continue;
        if (remaining() < 2) return walk.end = at, walk;
        const std::size_t size = std::size_t{Read16(bytes, at)} * characterSize;
        if (size > remaining() - 2) return walk.end = at, walk;
        at += 2 + size;
    }
    while (remaining() >= 4) {
        const std::uint32_t size = Read32(bytes, at);
        if (size < 4) {
            walk.status = t_LinkReadStatus::complete;
            walk.end = at + 4;
            return walk;
        }
        if (size < 8 || size > remaining()) break;
        onBlock(at, std::size_t{size}, Read32(bytes, at + 4));
        at += size;
    }
    walk.end = at;
    return walk;
}

// A TypedPropertyValue of a kind we keep; empty for other kinds and for values that do not fit their bytes.
std::optional<t_PropertyValue> ReadTypedValue(std::span<const std::byte> typed) {
    if (typed.size() < 4) return std::nullopt;
    const std::uint16_t type = Read16(typed, 0);
    const std::span<const std::byte> data = typed.subspan(4);
    switch (type) {
    case vtLpwstr: {
        if (data.size() < 4) return std::nullopt;
        const std::uint32_t count = Read32(data, 0);
        if (count > (data.size() - 4) / 2) return std::nullopt;
        return n_zql::n_system::TextFromUtf16(data.subspan(4, 2 * std::size_t{count}));
    }
    case vtBool:
        if (data.size() < 2) return std::nullopt;
        return Read16(data, 0) != 0;
    case vtI4:
    case vtUi4:
        if (data.size() < 4) return std::nullopt;
        return Read32(data, 0);
    default:
        return std::nullopt;
    }
}

// The values of one storage, up to the value size 0 or the storage's end.
bool ReadStorageValues(std::span<const std::byte> values, const t_FormatId& formatId, t_PropertyValues& found) {
    const bool namedByStrings = formatId == stringNamedFormatId;
    std::size_t at = 0;
    while (values.size() - at >= 4) {
        const std::uint32_t size = Read32(values, at);
        if (size == 0) return true;
        if (size < integerNamedHeaderSize || size > values.size() - at) return false;
        const std::span<const std::byte> value = values.subspan(at, size);
        if (namedByStrings) {
            // No key we read is named by a string; the name's size is checked so that a lie still stops reading.
            if (Read32(value, 4) > size - stringNamedHeaderSize) return false;
        } else if (auto typed = ReadTypedValue(value.subspan(integerNamedHeaderSize))) {
            found.Add({formatId, Read32(value, 4)}, std::move(*typed));
        } else if (size >= integerNamedHeaderSize + 2 && Read16(value, integerNamedHeaderSize) != vtEmpty) {
            found.AddPresence({formatId, Read32(value, 4)});
        }
        at += size;
    }
    return at == values.size();
}

} // namespace

const t_PropertyValue* t_PropertyValues::Find(const t_PropertyKey& key) const noexcept {
    const auto found = index.find(key);
    return found == index.end() ? nullptr : &properties[found->second].value;
}

std::optional<std::wstring> t_PropertyValues::String(const t_PropertyKey& key) const {
    const t_PropertyValue* value = Find(key);
    if (const auto* text = value ? std::get_if<std::wstring>(value) : nullptr) return *text;
    return std::nullopt;
}

std::optional<bool> t_PropertyValues::Bool(const t_PropertyKey& key) const {
    const t_PropertyValue* value = Find(key);
    if (const auto* flag = value ? std::get_if<bool>(value) : nullptr) return *flag;
    return std::nullopt;
}

std::optional<std::uint32_t> t_PropertyValues::Integer(const t_PropertyKey& key) const {
    const t_PropertyValue* value = Find(key);
    if (const auto* number = value ? std::get_if<std::uint32_t>(value) : nullptr) return *number;
    return std::nullopt;
}

void t_PropertyValues::Add(const t_PropertyKey& key, t_PropertyValue value) {
    present.insert(key);
    if (index.emplace(key, properties.size()).second) properties.push_back({key, std::move(value)});
}

bool ReadPropertyStorages(std::span<const std::byte> storages, t_PropertyValues& values) {
    std::size_t at = 0;
    while (storages.size() - at >= 4) {
        const std::uint32_t size = Read32(storages, at);
        if (size == 0) return true;
        if (size < storageHeaderSize || size > storages.size() - at) return false;
        const std::span<const std::byte> storage = storages.subspan(at, size);
        // A storage of another version is skipped whole: its size is all we can trust of it.
        if (Read32(storage, 4) == storageVersion &&
            !ReadStorageValues(storage.subspan(storageHeaderSize), ReadFormatId(storage, 8), values)) {
            return false;
        }
        at += size;
    }
    return at == storages.size();
}

t_LinkProperties ReadLinkProperties(std::span<const std::byte> linkBytes) {
    t_LinkProperties result;
    bool truthful = true;
    const t_LinkWalk walk = WalkLink(linkBytes, [&](std::size_t at, std::size_t size, std::uint32_t signature) {
        if (truthful && signature == propertyStoreSignature) {
            truthful = ReadPropertyStorages(linkBytes.subspan(at + 8, size - 8), result.properties);
        }
    });
    result.status = walk.status;
    result.size = walk.end;
    return result;
}

} // namespace n_ombrix
