#pragma once
// The shell's display names of one folder's entries. The folder is bound once and asked for each entry by its
// relative name: the same names that a shell item made from each full path gives, without parsing the whole path
// again for every entry (under Wine that parse was most of a catalogue build's time).

#include "system/com_ptr.h"

#include <shobjidl.h>

#include <string>

namespace n_ombrix {

class t_FolderDisplayNames {
public:
    // The folder path ends in a backslash; it is bound on first use.
    explicit t_FolderDisplayNames(const std::wstring& folder) : folder_(folder) {}

    const std::wstring& Folder() const noexcept { return folder_; }
    // The entry's normal display name into displayName; false (and displayName unchanged) when the shell gives
    // none or an empty one.
    bool Get(const std::wstring& entryName, std::wstring& displayName);

private:
    const std::wstring& folder_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IShellFolder> shellFolder_;
    bool bindTried_ = false;
};

} // namespace n_ombrix
