#pragma once
// Input as the user gives it, to whatever window has the focus, and another process's window text as a screen reader
// reads it. For the system tests, which drive Ombrix.exe from outside, and their helper programs.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix_test {

// Real key presses, then a moment for the program to take them: the characters of a text, or the keys of a chord
// pressed in order and released in the reverse order.
inline void SendKeys(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(300);
}
inline void PressKeys(std::wstring_view text) {
    std::vector<INPUT> inputs(text.size() * 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = text[i / 2];
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0);
    }
    SendKeys(inputs);
}
inline void PressKey(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs(chord.size() * 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = chord.begin()[i < chord.size() ? i : inputs.size() - 1 - i];
        inputs[i].ki.dwFlags = i < chord.size() ? 0 : KEYEVENTF_KEYUP;
    }
    SendKeys(inputs);
}

// The real pointer: moved to a point on the screen, then its buttons' events (MOUSEEVENTF_...) given there.
inline void Pointer(POINT point, std::initializer_list<DWORD> events) {
    SetCursorPos(point.x, point.y);
    for (const DWORD flags : events) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        Sleep(30);
    }
}

// Another process's window or control text: WM_GETTEXT itself, since GetWindowTextW gives another process's control
// the caption it was created with.
inline std::wstring WindowText(HWND window) {
    wchar_t text[512]{};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace n_ombrix_test
