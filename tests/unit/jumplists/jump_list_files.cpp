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

constexpr std::uint32_t categoryFooter = 0xBABFFBAB;

void AppendU32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(value >> shift));
}

void AppendU16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value));
    bytes.push_back(static_cast<char>(value >> 8));
}

std::string SavedBytes(const t_ComPtr<IShellLinkW>& link) {
    const t_ComPtr<IStream> stream(SHCreateMemStream(nullptr, 0));
    n_com::ThrowIfFailed(link.Query<IPersistStream>()->Save(stream.Get(), TRUE));
    STATSTG status{};
    n_com::ThrowIfFailed(stream->Stat(&status, STATFLAG_NONAME));
    std::string bytes(static_cast<std::size_t>(status.cbSize.QuadPart), '\0');
    n_com::ThrowIfFailed(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    n_com::ThrowIfFailed(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr));
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

std::string SavedLink(const std::wstring& target, const std::wstring& arguments, const std::wstring& title) {
    const t_ComPtr<IShellLinkW> link = NewLink();
    n_com::ThrowIfFailed(link->SetPath(target.c_str()));
    if (!arguments.empty()) n_com::ThrowIfFailed(link->SetArguments(arguments.c_str()));
    const std::string bytes = SavedBytes(link);
    if (title.empty()) return bytes;
    const std::vector<std::byte> block =
        PropertyStoreDataBlock(std::vector<n_ombrix::t_Property>{{n_ombrix::titleKey, title}});
    const std::vector<std::byte> titled =
        WithPropertyStoreDataBlock(std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()), block);
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
    AppendU32(bytes, 2);
    AppendU32(bytes, static_cast<std::uint32_t>(categories.size()));
    AppendU32(bytes, 0);
    for (const t_CustomCategoryFields& category : categories) {
        AppendU32(bytes, category.type);
        if (category.type == 0) {
            AppendU16(bytes, static_cast<std::uint16_t>(category.name.size()));
            for (wchar_t unit : category.name) AppendU16(bytes, static_cast<std::uint16_t>(unit));
        }
        if (category.type == 1) {
            AppendU32(bytes, category.knownId);
        } else {
            AppendU32(bytes, static_cast<std::uint32_t>(category.links.size()));
            for (const std::string& link : category.links) {
                bytes.append(reinterpret_cast<const char*>(&CLSID_ShellLink), sizeof CLSID_ShellLink);
                bytes += link;
            }
        }
        AppendU32(bytes, categoryFooter);
    }
    return bytes;
}

} // namespace n_ombrix_test
