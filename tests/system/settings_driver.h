#pragma once
// Driving the settings window from outside Ombrix's process: opened with F12 from the shown popup, its controls
// clicked through messages, and the shell's file dialogs it opens answered.

#include "ombrix_process.h"
#include "real_input.h"

#include "settings/settings_control_ids.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>
#include <vector>

namespace n_ombrix_test {

namespace n_id = n_ombrix::n_settings_control;

// The visible top-level windows of the class in the process (and of the owner, when given), once there is one, within
// five seconds.
inline std::vector<HWND> TopLevelWindows(const wchar_t* windowClass, DWORD process, HWND owner = nullptr) {
    std::vector<HWND> found;
    for (int tries = 0; tries < 250 && found.empty(); ++tries, Sleep(20))
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr)) != nullptr;)
            if (ProcessOf(window) == process && IsWindowVisible(window) &&
                (!owner || GetWindow(window, GW_OWNER) == owner))
                found.push_back(window);
    return found;
}

// Whether the window is gone within five seconds.
inline bool Gone(HWND window) {
    return Eventually([window] { return !IsWindow(window); });
}

// A control of the settings window's panel; its check box's state; the box clicked, its handler run on return.
inline HWND Control(HWND settings, int id) { return GetDlgItem(GetDlgItem(settings, n_id::panel), id); }
inline bool Checked(HWND settings, int id) { return SendMessageW(Control(settings, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline bool Toggle(HWND settings, int id) {
    SendMessageW(Control(settings, id), BM_CLICK, 0, 0);
    return Checked(settings, id);
}
// A button clicked, posted: its handler may stay in a modal loop (a dialog) or end the window.
inline void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// F12 released in the shown popup; the settings window of Ombrix's process, or null.
inline HWND OpenSettings(const t_OmbrixProcess& ombrix) {
    if (!ombrix.Show()) return nullptr;
    PressKey({VK_F12});
    const std::vector<HWND> windows = TopLevelWindows(L"Ombrix.Settings.Parent", ProcessOf(ombrix.Window()));
    return windows.empty() ? nullptr : windows.front();
}

// The shell's file dialog that the settings window opened: the file name it proposed, then the path typed in its
// place and the Open or Save button pressed.
inline std::wstring ChooseFile(HWND settings, const std::wstring& path) {
    const std::vector<HWND> dialogs = TopLevelWindows(L"#32770", ProcessOf(settings), settings);
    EXPECT_EQ(dialogs.size(), 1u) << "file dialogs over the settings window";
    if (dialogs.empty()) return {};
    // Wine's item dialog has the name in a plain edit control, edt1 (Windows' has it in the edit inside combo box
    // cmb13); its Open or Save button is IDOK in both.
    const HWND box = GetDlgItem(dialogs.front(), edt1);
    const std::wstring proposed = WindowText(box);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialogs.front(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(Gone(dialogs.front()));
    return proposed;
}

} // namespace n_ombrix_test
