#include "catalogue/link_property_reader.h"

#include "system/unique_handle.h"

#include <algorithm>
#include <cstring>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

namespace {

// Links are a few kilobytes; a bigger file is read only this far, which still holds any real link's properties.
constexpr LONGLONG linkReadLimit = 1 << 20;

PROPERTYKEY PlatformKey(const t_PropertyKey& key) {
    PROPERTYKEY platformKey{};
    static_assert(sizeof platformKey.fmtid == sizeof key.formatId);
    // The identifier's bytes are stored as in memory on a little-endian machine.
    std::memcpy(&platformKey.fmtid, key.formatId.data(), key.formatId.size());
    platformKey.pid = key.id;
    return platformKey;
}

std::vector<std::byte> ReadLinkFile(const std::wstring& path) {
    const t_FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return {};
    std::vector<std::byte> bytes(static_cast<std::size_t>(std::clamp<LONGLONG>(size.QuadPart, 0, linkReadLimit)));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}

n_com::t_ComPtr<IPropertyStore> StoreOf(IUnknown* link) {
    n_com::t_ComPtr<IPropertyStore> store;
    if (link) link->QueryInterface(IID_PPV_ARGS(store.Put()));
    return store;
}

} // namespace

t_LinkPropertyReader::t_LinkPropertyReader(IUnknown* link, std::span<const std::byte> linkBytes)
    : store_(StoreOf(link)), linkBytes_(linkBytes) {}

t_LinkPropertyReader::t_LinkPropertyReader(IUnknown* link, std::wstring linkPath)
    : store_(StoreOf(link)), linkPath_(std::move(linkPath)) {}

bool t_LinkPropertyReader::FromStore(const t_PropertyKey& key, n_com::t_PropVariant& value) {
    return store_ && SUCCEEDED(store_->GetValue(PlatformKey(key), value.Put()));
}

const t_PropertyValues& t_LinkPropertyReader::FromBytes() {
    if (!fromBytes_) {
        if (linkPath_.empty()) {
            fromBytes_ = ReadLinkProperties(linkBytes_).properties;
        } else {
            const std::vector<std::byte> bytes = ReadLinkFile(linkPath_);
            fromBytes_ = ReadLinkProperties(bytes).properties;
        }
    }
    return *fromBytes_;
}

std::optional<std::wstring> t_LinkPropertyReader::String(const t_PropertyKey& key) {
    n_com::t_PropVariant value;
    if (!FromStore(key, value)) return FromBytes().String(key);
    if (value.Get().vt != VT_LPWSTR || !value.Get().pwszVal) return std::nullopt;
    return std::wstring(value.Get().pwszVal);
}

bool t_LinkPropertyReader::Bool(const t_PropertyKey& key) {
    n_com::t_PropVariant value;
    if (!FromStore(key, value)) return FromBytes().Bool(key).value_or(false);
    return value.Get().vt == VT_BOOL && value.Get().boolVal != VARIANT_FALSE;
}

bool t_LinkPropertyReader::Has(const t_PropertyKey& key) {
    n_com::t_PropVariant value;
    if (!FromStore(key, value)) return FromBytes().Has(key);
    return value.Get().vt != VT_EMPTY;
}

bool t_LinkPropertyReader::StoreAnswers(const t_PropertyKey& key) {
    n_com::t_PropVariant value;
    return FromStore(key, value);
}

} // namespace n_ombrix
