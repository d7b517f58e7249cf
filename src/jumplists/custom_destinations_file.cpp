#include "jumplists/custom_destinations_file.h"

#include "catalogue/link_properties.h"
#include "jumplists/com_byte_stream.h"
#include "jumplists/destinations_file_name.h"
#include "system/error_exception.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

constexpr int nameCapacity = 1024;
// The shell's files hold a few dozen links of a few kilobytes; a bigger one is not read at all.
constexpr std::uint64_t largestFile = 16u << 20;

struct t_ClassIdOrder {
    bool operator()(const CLSID& left, const CLSID& right) const noexcept {
        return std::memcmp(&left, &right, sizeof left) < 0;
    }
};

std::wstring DisplayName(const std::wstring& rawName) {
    wchar_t loaded[nameCapacity] = {};
    if (!rawName.empty() && SUCCEEDED(SHLoadIndirectString(rawName.c_str(), loaded, nameCapacity, nullptr)) &&
        loaded[0] != L'\0')
        return loaded;
    return rawName;
}

} // namespace

// Loads each stored object from the file's stream where its state starts, as the stored class reads itself.
class t_CustomDestinationsFile::t_StreamItemLoader final : public t_CustomItemLoader {
public:
    // The file's bytes, read once: a stored link's end and properties are read from them.
    t_StreamItemLoader(IStream* stream, std::span<const std::byte> fileBytes) noexcept
        : stream_(stream), fileBytes_(fileBytes) {}

    std::uint64_t LoadItem(std::uint64_t stateOffset, std::span<const std::byte, 16> classIdBytes,
                           t_CustomCategoryKind kind) override {
        CLSID classId{};
        std::memcpy(&classId, classIdBytes.data(), sizeof classId);
        t_ComPtr<IPersistStream> object;
        n_com::ThrowIfFailed(Factory(classId)->CreateInstance(nullptr, IID_PPV_ARGS(object.Put())));
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(stateOffset);
        n_com::ThrowIfFailed(stream_->Seek(position, STREAM_SEEK_SET, nullptr));
        n_com::ThrowIfFailed(object->Load(stream_));
        ULARGE_INTEGER loadEnd{};
        n_com::ThrowIfFailed(stream_->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &loadEnd));
        if (loadEnd.QuadPart < stateOffset) n_com::ThrowHResult(failureResult);
        std::uint64_t end = loadEnd.QuadPart;
        std::span<const std::byte> bytes;
        if (IsEqualCLSID(classId, CLSID_ShellLink) && stateOffset < fileBytes_.size()) {
            // Wine's link stops reading before the link's extra data, leaving the stream inside the link; the
            // link's own framing says where it ends (on Windows both agree). Its bytes also give the title and
            // separator flag where the platform's property store does not answer.
            bytes = fileBytes_.subspan(static_cast<std::size_t>(stateOffset));
            const t_LinkProperties link = ReadLinkProperties(bytes);
            if (link.status == t_LinkReadStatus::complete && stateOffset + link.size > end)
                end = stateOffset + link.size;
            bytes = bytes.first(std::min(bytes.size(), static_cast<std::size_t>(end - stateOffset)));
        }
        loaded.push_back(t_ShellDestination::Create(object.Get(), kind == t_CustomCategoryKind::custom, bytes));
        return end;
    }

    // In file order.
    std::vector<t_ShellDestination> loaded;

private:
    // One class factory per stored class: looking the class up for every item is most of the time under Wine.
    IClassFactory* Factory(const CLSID& classId) {
        t_ComPtr<IClassFactory>& factory = factories_[classId];
        if (!factory)
            n_com::ThrowIfFailed(CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(factory.Put())));
        return factory.Get();
    }

    IStream* stream_; // not owned
    std::span<const std::byte> fileBytes_;
    std::map<CLSID, t_ComPtr<IClassFactory>, t_ClassIdOrder> factories_;
};

void t_CustomDestinationsFile::Open(const std::wstring& folder, const std::wstring& stem) {
    Close();
    const std::wstring path = folder + stem + std::wstring(customDestinationsSuffix);
    try {
        n_com::ThrowIfFailed(SHCreateStreamOnFileEx(path.c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, FALSE,
                                                    nullptr, stream_.Put()));
        t_ComByteStream stream(stream_.Get());
        if (stream.Size() > largestFile) n_com::ThrowHResult(failureResult);
        std::vector<std::byte> bytes(static_cast<std::size_t>(stream.Size()));
        stream.ReadAt(0, bytes);
        t_StreamItemLoader loader(stream_.Get(), bytes);
        layout_.Read(stream, loader);
        std::size_t itemCount = 0;
        for (const t_CustomCategoryLayout& layout : layout_.Categories()) itemCount += layout.items.size();
        if (itemCount != loader.loaded.size()) n_com::ThrowHResult(failureResult);
        std::size_t next = 0;
        for (const t_CustomCategoryLayout& layout : layout_.Categories()) {
            t_CustomCategory& category = categories_.emplace_back();
            category.kind = layout.kind;
            category.known = layout.known;
            category.rawName = layout.rawName;
            if (layout.kind == t_CustomCategoryKind::custom) category.displayName = DisplayName(layout.rawName);
            for (std::size_t item = 0; item < layout.items.size(); ++item)
                category.items.push_back(std::move(loader.loaded[next++]));
        }
    } catch (...) {
        // Damaged, held by another, or out of memory: the jump list is optional, so the file is simply empty.
        Close();
    }
}

void t_CustomDestinationsFile::Close() noexcept {
    categories_.clear();
    layout_.Clear();
    stream_ = {};
}

void t_CustomDestinationsFile::RemoveItems(std::size_t category, std::size_t first, std::size_t last) {
    if (!stream_) n_com::ThrowHResult(failureResult);
    t_ComByteStream stream(stream_.Get());
    // The layout may drop the items and still throw (the file was rewritten but not cut): follow it either way.
    const auto followLayout = [&] {
        if (category >= categories_.size()) return;
        std::vector<t_ShellDestination>& items = categories_[category].items;
        if (layout_.Categories()[category].items.size() != items.size())
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(first),
                        items.begin() + static_cast<std::ptrdiff_t>(last));
    };
    try {
        layout_.RemoveItems(stream, category, first, last);
    } catch (...) {
        followLayout();
        throw;
    }
    followLayout();
}

} // namespace n_ombrix
