#include "launch/default_executor.h"

#include "launch/shell_execute.h"
#include "system/known_folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwctype>

namespace n_ombrix {

t_DefaultExecutor::t_DefaultExecutor()
    : caption_(L"SYS"), description_(L"Default launcher."), workingFolder_(KnownFolderPath(FOLDERID_Profile)) {}

void t_DefaultExecutor::Prepare(std::wstring& text) const {
    const auto first =
        std::find_if(text.begin(), text.end(), [](wchar_t c) { return !std::iswspace(static_cast<std::wint_t>(c)); });
    text.erase(text.begin(), first);
}

bool t_DefaultExecutor::Launch(const std::wstring& text, bool elevated) const {
    const t_ShellRequest request = DefaultShellRequest(text, workingFolder_);
    return ExecuteThroughShell(request.file, request.parameters, L"", elevated);
}

t_ShellRequest DefaultShellRequest(std::wstring text, const std::wstring& workingFolder) {
    ExpandEnvironment(text);
    if (!PathIsDirectoryW(text.c_str())) return SplitCommand(text);

    text = WithBackslashes(text);
    // Asked before canonicalisation, which may remove what made the path relative (".\").
    const bool relative = PathIsRelativeW(text.c_str()) != FALSE;
    wchar_t canonical[MAX_PATH] = {};
    if (PathCanonicalizeW(canonical, text.c_str()))
        text.assign(canonical, wcsnlen(canonical, MAX_PATH - 1));
    else
        text.clear();
    return ExplorerRequest(text, relative, workingFolder);
}

} // namespace n_ombrix
