#include "jump_list_files.h"

#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"

#include <shlobj.h>

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows;

namespace {

// The value's bytes as they lie in memory: little-endian, as the file has them.
template <typename t_Value> void Append(std::string& bytes, const t_Value& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
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
    return n_ombrix::t_ShellDestination::Create(MakeShellLink(path + L".lnk", {.target = WriteDocument(path)}).Get(),
                                                true);
}

std::string SavedLink(const std::wstring& document, const std::wstring& arguments,
                      const std::vector<n_ombrix::t_Property>& properties) {
    MakeShellLink(document + L".lnk", {.target = WriteDocument(document), .arguments = arguments});
    if (!properties.empty()) AddLinkProperties(document + L".lnk", properties);
    return ReadFileBytes(document + L".lnk");
}

std::string SavedIdListLink(const std::wstring& path, const std::vector<std::uint8_t>& idList) {
    std::vector<std::uint8_t> terminated = idList;
    terminated.insert(terminated.end(), {0, 0});
    n_com::t_ComPtr<IShellLinkW> link;
    n_com::ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link->SetIDList(reinterpret_cast<PCIDLIST_ABSOLUTE>(terminated.data())));
    n_com::ThrowIfFailed(link.Query<IPersistFile>()->Save(path.c_str(), TRUE));
    return ReadFileBytes(path);
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
