#include "jump_list_files.h"

#include "link_property_block.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/error_exception.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <span>

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

// The value's bytes as they lie in memory: little-endian, as the file has them.
template <typename t_Value> void Append(std::string& bytes, const t_Value& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string SavedBytes(const t_ComPtr<IShellLinkW>& link) {
    const t_ComPtr<IStream> stream(SHCreateMemStream(nullptr, 0));
    n_com::ThrowIfFailed(link.Query<IPersistStream>()->Save(stream.Get(), TRUE));
    ULARGE_INTEGER size{};
    n_com::ThrowIfFailed(IStream_Size(stream.Get(), &size));
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    n_com::ThrowIfFailed(IStream_Reset(stream.Get()));
    n_com::ThrowIfFailed(IStream_Read(stream.Get(), bytes.data(), static_cast<ULONG>(bytes.size())));
    return bytes;
}

t_ComPtr<IShellLinkW> NewLink() {
    t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    return link;
}

} // namespace

std::wstring WriteDocument(const std::wstring& path) {
    WriteFileBytes(path, "document");
    return path;
}

std::wstring LinkTarget(const n_ombrix::t_ShellDestination& destination) {
    wchar_t path[1024] = {};
    if (!destination.Link() || FAILED(destination.Link()->GetPath(path, 1024, nullptr, SLGP_RAWPATH))) return {};
    return path;
}

n_ombrix::t_ShellDestination DocumentLink(const std::wstring& path) {
    const t_ComPtr<IShellLinkW> link = NewLink();
    n_com::ThrowIfFailed(link->SetPath(WriteDocument(path).c_str()));
    return n_ombrix::t_ShellDestination::Create(link.Get(), true);
}

std::string SavedLink(const std::wstring& document, const std::wstring& arguments,
                      const std::vector<n_ombrix::t_Property>& properties) {
    const t_ComPtr<IShellLinkW> link = NewLink();
    n_com::ThrowIfFailed(link->SetPath(WriteDocument(document).c_str()));
    if (!arguments.empty()) n_com::ThrowIfFailed(link->SetArguments(arguments.c_str()));
    const std::string bytes = SavedBytes(link);
    if (properties.empty()) return bytes;
    const std::vector<std::byte> titled = WithPropertyStoreDataBlock(
        std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()), PropertyStoreDataBlock(properties));
    return std::string(reinterpret_cast<const char*>(titled.data()), titled.size());
}

std::string SavedIdListLink(const std::vector<std::uint8_t>& idList) {
    std::vector<std::uint8_t> terminated = idList;
    terminated.insert(terminated.end(), {0, 0});
    const t_ComPtr<IShellLinkW> link = NewLink();
    n_com::ThrowIfFailed(link->SetIDList(reinterpret_cast<PCIDLIST_ABSOLUTE>(terminated.data())));
    return SavedBytes(link);
}

std::string CustomDestinationsBytes(const std::vector<t_CustomCategoryFields>& categories) {
    std::string bytes;
    for (const std::uint32_t value : {2u, static_cast<std::uint32_t>(categories.size()), 0u}) Append(bytes, value);
    for (const t_CustomCategoryFields& category : categories) {
        Append(bytes, category.type);
        if (category.type == 0) {
            Append(bytes, static_cast<std::uint16_t>(category.name.size()));
            bytes.append(reinterpret_cast<const char*>(category.name.data()), category.name.size() * sizeof(wchar_t));
        }
        Append(bytes, category.type == 1 ? category.knownId : static_cast<std::uint32_t>(category.links.size()));
        for (const std::string& link : category.links) {
            Append(bytes, CLSID_ShellLink);
            bytes += link;
        }
        Append(bytes, std::uint32_t{0xBABFFBAB}); // the category's footer
    }
    return bytes;
}

} // namespace n_ombrix_test
