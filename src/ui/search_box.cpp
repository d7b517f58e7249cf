#include "ui/search_box.h"

#include "system/error_exception.h"
#include "ui/widget_resources.h"

#include <algorithm>

namespace n_ombrix {

namespace {

constexpr int textLimit = 16384;
constexpr int textMargin = 4;

} // namespace

t_SearchBox::t_SearchBox(const t_WidgetResources& resources, HWND parent, int controlId, t_SearchBoxOwner& owner)
    : resources_(resources), owner_(owner),
      margin_(std::max((2 * resources.Metrics().unit - resources.TextHeight20()) / 2, 1)) {
    const HWND box = CreateWindowExW(
        WS_EX_NOPARENTNOTIFY, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 1, 1,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
    if (!box) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    Subclass(box);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(resources.Font20()), FALSE);
    SendMessageW(box, EM_SETLIMITTEXT, textLimit, 0);
    SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(textMargin, textMargin));
    // The margin is non-client: calculated again now that this object takes the box's messages.
    SetWindowPos(box, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring t_SearchBox::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

bool t_SearchBox::CaretAtEnd() const noexcept {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end && end == static_cast<DWORD>(GetWindowTextLengthW(Handle()));
}

void t_SearchBox::Select(std::size_t from, std::size_t to) const noexcept {
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
}

void t_SearchBox::SetTextQuietly(std::wstring_view text) {
    quiet_ = true;
    SetWindowTextW(Handle(), std::wstring(text).c_str());
    quiet_ = false;
    Select(text.size(), text.size());
}

LRESULT t_SearchBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT result = DefaultProcedure(message, wParam, lParam);
        RECT& client = *reinterpret_cast<RECT*>(lParam);
        client.top += margin_;
        client.bottom = std::max(client.top, client.bottom - margin_);
        return result;
    }
    case WM_NCPAINT:
        DefaultProcedure(message, wParam, lParam);
        PaintMargins();
        return 0;
    case WM_GETDLGCODE:
        return DefaultProcedure(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (owner_.SearchBoxKey(message, wParam)) return 0;
        return DefaultProcedure(message, wParam, lParam);
    case WM_CHAR:
        // Tab, Enter, Escape and Ctrl+Space were keys of the owner; the control would only beep at them or type a
        // blank.
        if (wParam == L'\t' || wParam == L'\r' || wParam == 27 || (wParam == L' ' && GetKeyState(VK_CONTROL) < 0))
            return 0;
        automaticCompletion_ = wParam != L'\b';
        return DefaultProcedure(message, wParam, lParam);
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

void t_SearchBox::PaintMargins() const {
    const HDC dc = GetDCEx(Handle(), nullptr, DCX_WINDOW | DCX_CACHE);
    if (!dc) return;
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const LONG width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const RECT top{0, 0, width, margin_}, bottom{0, height - margin_, width, height};
    FillRect(dc, &top, resources_.Brush(t_BrushIndex::area));
    FillRect(dc, &bottom, resources_.Brush(t_BrushIndex::area));
    const RECT topLine{0, 0, width, 1}, bottomLine{0, height - 1, width, height};
    FillRect(dc, &topLine, resources_.Brush(t_BrushIndex::frame));
    FillRect(dc, &bottomLine, resources_.Brush(t_BrushIndex::frame));
    ReleaseDC(Handle(), dc);
}

} // namespace n_ombrix
