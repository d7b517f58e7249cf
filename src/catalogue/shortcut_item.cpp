#include "catalogue/shortcut_item.h"

#include "launch/shell_execute.h"

namespace n_ombrix {

t_ShortcutItem::t_ShortcutItem(HBITMAP icon, std::wstring displayName, std::wstring description, std::wstring appId,
                               std::wstring targetPath, std::wstring arguments, std::wstring linkPath)
    : t_ApplicationItem(icon, std::move(displayName), std::move(description), std::move(appId)),
      targetPath_(std::move(targetPath)),
      arguments_(std::move(arguments)),
      linkPath_(std::move(linkPath)) {}

std::wstring t_ShortcutItem::GetCommandLine() const { return L"\"" + targetPath_ + L"\" " + arguments_; }

bool t_ShortcutItem::Launch(bool elevated) const { return ExecuteThroughShell(linkPath_, L"", L"", elevated); }

} // namespace n_ombrix
