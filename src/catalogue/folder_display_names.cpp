#include "catalogue/folder_display_names.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

bool t_FolderDisplayNames::Get(const std::wstring& entryName, std::wstring& displayName) {
    if (!bindTried_) {
        bindTried_ = true;
        n_com::t_IdList folderIdList;
        if (SUCCEEDED(SHParseDisplayName(folder_.c_str(), nullptr, folderIdList.Put(), 0, nullptr)) && folderIdList)
            SHBindToObject(nullptr, folderIdList.Get(), nullptr, IID_PPV_ARGS(shellFolder_.Put()));
    }
    if (!shellFolder_) return false;
    // ParseDisplayName takes a writable name.
    std::wstring name = entryName;
    n_com::t_IdList child;
    if (FAILED(shellFolder_->ParseDisplayName(nullptr, nullptr, name.data(), nullptr,
                                              reinterpret_cast<PIDLIST_RELATIVE*>(child.Put()), nullptr)) ||
        !child)
        return false;
    const auto* childId = reinterpret_cast<PCUITEMID_CHILD>(child.Get());
    STRRET text{};
    if (FAILED(shellFolder_->GetDisplayNameOf(childId, SHGDN_NORMAL, &text))) return false;
    n_com::t_CoTaskMemString owned;
    if (FAILED(StrRetToStrW(&text, childId, owned.Put())) || !owned.Get() || !*owned.Get()) return false;
    displayName.assign(owned.Get());
    return true;
}

} // namespace n_ombrix
