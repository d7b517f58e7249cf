#include "app/about_box.h"

#include "ui/web_addresses.h"

#include "version.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

namespace n_ombrix {

namespace {

constexpr auto title = n_cipher::Encipher(L"About Ombrix");
constexpr auto heading = n_cipher::Encipher(L"Ombrix " OMBRIX_VERSION_TEXT_W);
constexpr auto content =
    n_cipher::Encipher(L"A fast, keyboard-first Start menu and Run box.\n\n<a href=\"about\">Ombrix on the web</a>");

using t_TaskDialogIndirect = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

} // namespace

void t_AboutBox::Show(HWND ownerWindow, HICON icon, const std::wstring& language, t_AboutBoxOwner& owner) {
    if (dialog_) {
        SetForegroundWindow(dialog_);
        return;
    }
    // Task dialogs come with version 6 of the common controls, which the program's manifest asks for.
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    const auto taskDialog = controls ? reinterpret_cast<t_TaskDialogIndirect>(
                                           reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")))
                                     : nullptr;
    if (!taskDialog) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    owner_ = &owner;
    language_ = language;
    const std::wstring titleText = Decipher(title), headingText = Decipher(heading), contentText = Decipher(content);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = ownerWindow;
    config.dwFlags =
        TDF_ENABLE_HYPERLINKS | TDF_USE_HICON_MAIN | TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_OK_BUTTON;
    config.pszWindowTitle = titleText.c_str();
    config.hMainIcon = icon;
    config.pszMainInstruction = headingText.c_str();
    config.pszContent = contentText.c_str();
    config.pfCallback = &Callback;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);
    taskDialog(&config, nullptr, nullptr, nullptr);
    dialog_ = nullptr;
}

HRESULT CALLBACK t_AboutBox::Callback(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR data) noexcept {
    auto& box = *reinterpret_cast<t_AboutBox*>(data);
    switch (notification) {
    case TDN_CREATED:
        box.dialog_ = dialog;
        return S_OK;
    case TDN_DESTROYED:
        box.dialog_ = nullptr;
        return S_OK;
    case TDN_HYPERLINK_CLICKED:
        try {
            ShellExecuteW(dialog, L"open", WebAddressForLanguage(AboutLinkAddress(), box.language_).c_str(), nullptr,
                          nullptr, SW_SHOWNORMAL);
        } catch (...) {
            MessageBeep(MB_ICONHAND); // out of memory: the link stays unopened
        }
        return S_OK;
    case TDN_HELP:
        try {
            box.owner_->OpenHelp();
        } catch (...) {
            MessageBeep(MB_ICONHAND);
        }
        return S_OK;
    default:
        return S_OK;
    }
}

} // namespace n_ombrix
