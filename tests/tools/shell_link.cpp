#include "shell_link.h"

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows::n_com;

t_ComPtr<IShellLinkW> MakeShellLink(const std::wstring& linkPath, const t_ShellLinkFields& fields) {
    t_ComPtr<IShellLinkW> link;
    ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    ThrowIfFailed(link->SetPath(fields.target.c_str()));
    if (!fields.arguments.empty()) ThrowIfFailed(link->SetArguments(fields.arguments.c_str()));
    if (!fields.workingFolder.empty()) ThrowIfFailed(link->SetWorkingDirectory(fields.workingFolder.c_str()));
    if (!fields.description.empty()) ThrowIfFailed(link->SetDescription(fields.description.c_str()));
    if (!fields.iconPath.empty()) ThrowIfFailed(link->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex));
    ThrowIfFailed(link.Query<IPersistFile>()->Save(linkPath.c_str(), TRUE));
    return link;
}

} // namespace n_ombrix_test
