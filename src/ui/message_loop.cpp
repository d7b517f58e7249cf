#include "ui/message_loop.h"

#include <utility>

namespace n_ombrix {

namespace {

thread_local std::exception_ptr abandonedWith;

} // namespace

WPARAM t_MessageLoop::Run(HWND dialogWindow) {
    MSG message{};
    while (!abandonedWith && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialogWindow && IsDialogMessageW(dialogWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (abandonedWith) std::rethrow_exception(std::exchange(abandonedWith, nullptr));
    return message.wParam;
}

bool t_MessageLoop::RunModal(HWND dialogWindow, const bool& ended) {
    MSG message{};
    while (!ended) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (IsDialogMessageW(dialogWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

void t_MessageLoop::Abandon(std::exception_ptr exception) noexcept {
    if (!abandonedWith) abandonedWith = std::move(exception);
    PostQuitMessage(0);
}

} // namespace n_ombrix
