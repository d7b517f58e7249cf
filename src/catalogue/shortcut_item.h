#pragma once
// A shell link (.lnk) of a shortcut folder.

#include "catalogue/catalogue_item.h"

namespace n_ombrix {

class t_ShortcutItem : public t_ApplicationItem {
public:
    t_ShortcutItem(HBITMAP icon, std::wstring displayName, std::wstring description, std::wstring appId,
                   std::wstring targetPath, std::wstring arguments, std::wstring linkPath);

    bool HasCommandLine() const override { return !targetPath_.empty(); }
    // The target in double quotes, one blank, the arguments (the blank stays when there are none).
    std::wstring GetCommandLine() const override;
    // The link itself is executed, so the shell applies its target, arguments, folder and window state.
    bool Launch(bool elevated) const override;

    const std::wstring& LinkPath() const noexcept { return linkPath_; }

private:
    std::wstring targetPath_;
    std::wstring arguments_;
    std::wstring linkPath_;
};

} // namespace n_ombrix
