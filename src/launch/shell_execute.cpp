#include "launch/shell_execute.h"

#include <windows.h>
#include <shellapi.h>

namespace n_ombrix {

void ExpandEnvironment(std::wstring& text) {
    constexpr DWORD capacity = 260;
    wchar_t expanded[capacity];
    const DWORD count = ExpandEnvironmentStringsW(text.c_str(), expanded, capacity);
    if (count >= 1 && count <= capacity) text.assign(expanded, count - 1);
}

bool ExecuteThroughShell(const std::wstring& file, const std::wstring& parameters, const std::wstring& folder,
                         bool elevated) {
    SHELLEXECUTEINFOW information{};
    information.cbSize = sizeof information;
    // Failures are answered by the caller (a beep, or the text kept for the next show), never by the shell's error
    // box: Ombrix shows no error messages, and a box would block the popup's thread.
    information.fMask = SEE_MASK_FLAG_NO_UI;
    information.lpVerb = elevated ? L"runas" : L"open";
    information.lpFile = file.c_str();
    information.lpParameters = parameters.c_str();
    information.lpDirectory = folder.c_str();
    information.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&information) != FALSE;
}

void OpenWithShell(const std::wstring& path) {
    ShellExecuteW(GetDesktopWindow(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace n_ombrix
