#include "ui/popup_window.h"

#include "catalogue/catalogue.h"
#include "launch/default_launcher.h"
#include "launch/path_completion.h"
#include "ui/deferred_positions.h"
#include "ui/drawing.h"
#include "ui/list_row_painting.h"
#include "ui/popup_owner.h"
#include "ui/popup_placement.h"
#include "ui/widget_resources.h"
#include "ui/window_messages.h"

#include "resource_ids.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace n_ombrix {

namespace {

enum : int { modeButtonId = 1, searchBoxId, launchButtonId, powerButtonId, indexPaneId, itemListId, sidePaneId };

constexpr DWORD popupExtendedStyle = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOPARENTNOTIFY;
constexpr DWORD popupStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr int initialHeight = 256; // the real size is set when the window is first shown
// The catalogue is built again this long after the last change of what it is built from.
constexpr UINT_PTR catalogueTimer = 1;
constexpr UINT catalogueSettleTime = 2000; // ms
// The narrowest the side pane gets when the popup is made narrower, whatever the DPI.
constexpr std::int32_t sidePaneFloor = 100;
// The power menu's commands, from IDC_POWER_LOCK on, are power actions 1 to 7.
constexpr UINT powerActionCount = 7;
constexpr UINT layoutFlags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS;

} // namespace

t_PopupWindow::t_PopupWindow(HINSTANCE instance, t_WidgetResources& resources, t_PopupOwner& owner,
                             t_Catalogue& catalogue, t_DefaultLauncher& launcher, const t_PopupSettings& settings)
    : resources_(resources), owner_(owner), catalogue_(catalogue), launcher_(launcher), settings_(settings),
      popupClass_(CS_PARENTDC, instance, resources.ArrowCursor(), L"Ombrix"),
      widgetClass_(CS_NOCLOSE | CS_PARENTDC, instance, resources.ArrowCursor(), L"Ombrix.Widget"),
      applicationList_(resources, *this), commandList_(resources, *this, launcher),
      letters_(applicationList_, resources), executors_(launcher, resources), places_(catalogue, resources, owner),
      width_(settings.width), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    CreateWindowFor({.extendedStyle = popupExtendedStyle,
                     .style = popupStyle,
                     .className = popupClass_.Name(),
                     .width = width_,
                     .height = initialHeight},
                    nullptr);
    const t_WidgetMetrics& metrics = resources.Metrics();
    const std::int32_t u = metrics.unit, w1 = metrics.buttonWidth;
    const HWND popup = Handle();
    tooltip_ = CreateWindowExW(WS_EX_TRANSPARENT, TOOLTIPS_CLASSW, nullptr,
                               WS_DISABLED | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, popup, nullptr, instance, nullptr);
    t_ButtonOwner& buttons = *this;
    modeButton_ = std::make_unique<t_SearchRowButton>(resources, widgetClass_, popup, modeButtonId,
                                                      n_border::top | n_border::bottom, buttons);
    searchBox_ = std::make_unique<t_SearchBox>(resources, popup, searchBoxId, static_cast<t_SearchBoxOwner&>(*this));
    launchButton_ = std::make_unique<t_SearchRowButton>(resources, widgetClass_, popup, launchButtonId,
                                                        n_border::top | n_border::bottom, buttons);
    powerButton_ = std::make_unique<t_SearchRowButton>(resources, widgetClass_, popup, powerButtonId,
                                                       n_border::top | n_border::right | n_border::bottom, buttons);
    itemList_ = std::make_unique<t_ItemListPane>(resources, widgetClass_, popup, itemListId);
    indexPane_ = std::make_unique<t_IndexPane>(resources, widgetClass_, popup, indexPaneId, *itemList_);
    sidePane_ = std::make_unique<t_SidePane>(resources, widgetClass_, popup, sidePaneId);
    // The index pane is made after the list it moves, but stands before it in the tab order.
    SetWindowPos(indexPane_->Handle(), searchBox_->Handle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);

    // First places; the lengths that no anchor stretches are kept from here.
    modeButton_->MoveTo({0, u, w1, 3 * u});
    searchBox_->MoveTo({w1, u, w1 + 1, 3 * u});
    launchButton_->MoveTo({0, u, 4 * w1, 3 * u});
    powerButton_->MoveTo({0, u, w1, 3 * u});
    indexPane_->MoveTo({0, 4 * u, w1, 4 * u + 1});
    itemList_->MoveTo({w1, 4 * u, w1 + settings.appsListWidth, 4 * u + 1});
    searchBox_->SetAnchors({.left = {&client_.left, w1}, .right = {&client_.right, 5 * w1}});
    launchButton_->SetAnchors({.right = {&client_.right, w1}});
    powerButton_->SetAnchors({.right = {&client_.right, 0}});
    indexPane_->SetAnchors({.top = {&client_.top, 4 * u}, .bottom = {&client_.bottom, u}});
    const t_Rect& index = indexPane_->Rectangle();
    itemList_->SetAnchors({.left = {&index.right, 0}, .top = {&index.top, 0}, .bottom = {&index.bottom, 0}});
    sidePane_->SetAnchors({.left = {&itemList_->Rectangle().right, 0},
                           .top = {&index.top, 0},
                           .right = {&client_.right, 0},
                           .bottom = {&index.bottom, 0}});

    modeButton_->ShowBitmap(t_PopupBitmap::applicationModeButton);
    launchButton_->ShowCaption(198);
    launchButton_->SetTooltip(199);
    powerButton_->ShowBitmap(t_PopupBitmap::powerButton);
    powerButton_->SetTooltip(200);
    for (const auto& [tool, source] : {std::pair<HWND, t_TooltipSource*>{modeButton_->Handle(), modeButton_.get()},
                                       {launchButton_->Handle(), launchButton_.get()},
                                       {powerButton_->Handle(), powerButton_.get()},
                                       {indexPane_->Handle(), indexPane_.get()}})
        AddTooltip(tool, *source);
    Apply(settings);
    itemList_->SetModel(applicationList_);
    indexPane_->SetModel(letters_);
    t_PopupKeys& keys = *this;
    itemList_->SetPopupKeys(keys);
    sidePane_->SetPopupKeys(keys);
}

// Windows destroys the panes with the popup; each forgets its handle, then the objects and the classes go.
t_PopupWindow::~t_PopupWindow() { DestroyWindowFor(); }

void t_PopupWindow::Apply(const t_PopupSettings& settings) {
    settings_ = settings;
    width_ = settings.width;
    applicationList_.ApplyMetrics(settings.compactMode, settings.showIcons);
    commandList_.ApplyMetrics(settings.compactMode);
    // The shield is the icon store's, which every catalogue build empties: taken again after each.
    launchButton_->EnableSlide(resources_.Metrics().slideRange, resources_.Metrics().dragWidth,
                               LoadElevationImage(resources_.IconStore(), true));
    const t_Rect& list = itemList_->Rectangle();
    itemList_->MoveTo({list.left, list.top, list.left + settings.appsListWidth, list.bottom});
}

void t_PopupWindow::Refill() {
    if (commandMode_) {
        launcher_.UpdateQuery(L"");
        commandList_.Fill(false);
        executors_.Reset();
    } else {
        applicationList_.Fill(catalogue_.AppsRoot(), false);
    }
    itemList_->Refresh();
    indexPane_->Repaint();
}

void t_PopupWindow::SetMode(bool commandMode) {
    commandMode_ = commandMode;
    searchBox_->SetTextQuietly(L"");
    if (commandMode) {
        itemList_->SetModel(commandList_);
        indexPane_->SetModel(executors_);
    } else {
        itemList_->SetModel(applicationList_);
        indexPane_->SetModel(letters_);
    }
    modeButton_->ShowBitmap(commandMode ? t_PopupBitmap::commandModeButton : t_PopupBitmap::applicationModeButton);
    // The mode button's tooltip says where a click leads.
    modeButton_->SetTooltip(commandMode ? 196 : 197);
    ShowPlaces();
    Refill();
}

void t_PopupWindow::AddTooltip(HWND tool, t_TooltipSource& source) const noexcept {
    if (!tooltip_) return;
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
    info.hwnd = Handle();
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = LPSTR_TEXTCALLBACKW;
    info.lParam = reinterpret_cast<LPARAM>(&source);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void t_PopupWindow::ShowPlaces() {
    sidePane_->SetList(&places_);
    jumpList_.reset();
}

void t_PopupWindow::ShowJumpList(t_JumpList& jumpList, const t_JumpListHeaderTexts& texts) {
    auto shown = std::make_unique<t_JumpListSideList>(jumpList, texts, resources_.IconStore(), owner_);
    sidePane_->SetList(shown.get());
    jumpList_ = std::move(shown);
}

void t_PopupWindow::SetElevatedMode(bool on) {
    elevatedMode_ = on;
    launchButton_->SetElevated(on);
    applicationList_.ElevatedModeChanged(on);
    commandList_.ElevatedModeChanged(on);
    itemList_->Refresh();
}

void t_PopupWindow::SetPendingText(std::wstring text, bool inAnyMode) {
    pendingText_ = std::move(text);
    pendingInAnyMode_ = inAnyMode;
}

void t_PopupWindow::Show() {
    if (!pendingText_.empty() && (commandMode_ || pendingInAnyMode_)) {
        searchBox_->SetTextQuietly(pendingText_);
        SendMessageW(searchBox_->Handle(), EM_SETSEL, 0, static_cast<LPARAM>(pendingText_.size()));
        pendingText_.clear();
    }
    itemList_->IgnoreNextMove();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    if (std::exchange(repaintAtShow_, false))
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SetForegroundWindow(Handle());
    SetFocus(searchBox_->Handle());
}

void t_PopupWindow::ColorsChanged() noexcept {
    if (Visible())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    else
        repaintAtShow_ = true;
}

void t_PopupWindow::Hide() {
    ShowWindow(Handle(), SW_HIDE);
    // No entry of the catalogue or of a jump list is referred to while hidden: a rebuild may replace them all.
    sidePane_->SetList(nullptr);
    jumpList_.reset();
    applicationList_.Clear();
    pendingText_.clear();
    itemList_->Refresh();
}

LRESULT t_PopupWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        owner_.TaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_ACTIVATE:
        // Hiding deactivates the popup too: only a visible one hides, or the text kept for the next show would go.
        if (LOWORD(wParam) == WA_INACTIVE && !menuOpen_ && Visible()) owner_.HidePopup();
        return 0;
    case WM_PAINT:
        ValidateRect(Handle(), nullptr);
        return 0;
    case WM_ERASEBKGND: {
        RECT update{};
        GetClientRect(Handle(), &update);
        FillRect(reinterpret_cast<HDC>(wParam), &update, resources_.Brush(t_BrushIndex::windowBackground));
        return 1;
    }
    case WM_CLOSE:
        owner_.CloseRequested();
        return 0;
    case WM_ENDSESSION:
        owner_.SessionEnding(wParam != FALSE);
        return 0;
    case WM_SETTINGCHANGE:
        owner_.SystemSettingsChanged();
        // The apps' light or dark mode changed.
        if (lParam && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"ImmersiveColorSet")
            owner_.WindowsThemeChanged();
        return 0;
    case WM_THEMECHANGED:
    case WM_DWMCOLORIZATIONCOLORCHANGED:
        owner_.WindowsThemeChanged();
        return 0;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGED:
        return 0;
    case WM_DISPLAYCHANGE:
        if (!Visible()) return 0;
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW |
                         SWP_NOACTIVATE);
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    case WM_NCCALCSIZE: {
        RECT& client = *reinterpret_cast<RECT*>(lParam);
        client.right -= resources_.Metrics().unit + 1;
        return wParam ? WVR_HREDRAW | WVR_VREDRAW : 0;
    }
    case WM_NCHITTEST:
        return OnHitTest({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SIZING:
        OnSizing(wParam, *reinterpret_cast<RECT*>(lParam));
        return TRUE;
    case WM_NCPAINT:
        PaintResizeStrip();
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_MOUSEWHEEL:
        // From the search box or the side pane: the index when the pointer is over it, else the list.
        if (indexPane_->PointerOver(lParam)) return SendMessageW(indexPane_->Handle(), message, wParam, lParam);
        {
            // The list takes it as turned over itself.
            RECT list{};
            GetWindowRect(itemList_->Handle(), &list);
            return SendMessageW(itemList_->Handle(), message, wParam, MAKELPARAM(list.left, list.top));
        }
    case WM_NOTIFY:
        if (auto* text = reinterpret_cast<NMTTDISPINFOW*>(lParam); text->hdr.code == TTN_GETDISPINFOW) {
            text->lpszText = const_cast<wchar_t*>(reinterpret_cast<t_TooltipSource*>(text->lParam)->TooltipText());
            return 0;
        }
        return DefaultProcedure(message, wParam, lParam);
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, resources_.Color(t_ColorIndex::text));
        SetBkColor(dc, resources_.Color(t_ColorIndex::area));
        return reinterpret_cast<LRESULT>(resources_.Brush(t_BrushIndex::area));
    }
    case WM_HELP:
        owner_.RunPlacesCommand(t_PlacesCommand::openHelp, nullptr);
        return TRUE;
    case MSG_SHOW_POPUP:
        owner_.ShowPopup(lParam == 1);
        return 0;
    case MSG_SETTINGS_CLOSED:
        owner_.SettingsWindowClosed(lParam != 0);
        return 0;
    case catalogueChangedMessage:
        // Each change starts the wait again: an installer writes many files, and the catalogue is built once after.
        SetTimer(Handle(), catalogueTimer, lParam == 1 ? USER_TIMER_MINIMUM : catalogueSettleTime, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam != catalogueTimer) return DefaultProcedure(message, wParam, lParam);
        KillTimer(Handle(), catalogueTimer);
        owner_.CatalogueChanged();
        return 0;
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

void t_PopupWindow::OnWindowPosChanging(WINDOWPOS& position) {
    if (!sidePane_) return; // still being made
    if (position.flags & SWP_SHOWWINDOW) {
        Place(position);
    } else if (position.flags & SWP_HIDEWINDOW) {
        return;
    } else if (!(position.flags & SWP_NOSIZE)) {
        width_ = position.cx; // the user dragged the right edge
    } else {
        return;
    }
    LayoutPanes(position.cx > 0 ? position.cx : width_, position.cy);
    position.flags &= ~static_cast<UINT>(SWP_NOREDRAW);
}

void t_PopupWindow::Place(WINDOWPOS& position) const {
    // The monitor of the active window, or else the one under the pointer.
    HMONITOR monitor = nullptr;
    if (const HWND active = GetActiveWindow()) {
        monitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    } else {
        POINT cursor{};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    const RECT& work = info.rcWork;
    const t_Rect placed = PopupPlacement({work.left, work.top, work.right, work.bottom}, width_);
    position.x = placed.left;
    position.y = placed.top;
    position.cx = placed.Width();
    position.cy = placed.Height();
    position.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

void t_PopupWindow::LayoutPanes(std::int32_t width, std::int32_t height) {
    client_ = {0, 0, std::max(width - resources_.Metrics().unit - 1, 1), height};
    {
        t_DeferredPositions batch(7);
        for (t_Window* pane :
             std::initializer_list<t_Window*>{modeButton_.get(), searchBox_.get(), launchButton_.get(),
                                              powerButton_.get(), indexPane_.get(), itemList_.get(), sidePane_.get()})
            pane->Layout(batch, layoutFlags);
    }
    for (t_Window* pane :
         std::initializer_list<t_Window*>{modeButton_.get(), searchBox_.get(), launchButton_.get(), powerButton_.get(),
                                          indexPane_.get(), itemList_.get(), sidePane_.get()})
        pane->ReadClientRectangle();
}

LRESULT t_PopupWindow::OnHitTest(POINT screenPoint) const {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    if (!PtInRect(&bounds, screenPoint)) return HTNOWHERE;
    return screenPoint.x < bounds.right - resources_.Metrics().unit - 1 ? HTCLIENT : HTRIGHT;
}

void t_PopupWindow::OnSizing(WPARAM, RECT& proposed) const {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    proposed.left = bounds.left;
    proposed.top = bounds.top;
    proposed.bottom = bounds.bottom;
    if (!sidePane_) return;
    proposed.right = DraggedRightEdge(bounds.right, proposed.right, sidePane_->Rectangle().Width(), sidePaneFloor);
}

void t_PopupWindow::PaintResizeStrip() const {
    if (!indexPane_) return;
    const HDC dc = GetDCEx(Handle(), nullptr, DCX_WINDOW | DCX_CACHE);
    if (!dc) return;
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const std::int32_t width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    const RECT strip{client_.right, 0, width, height};
    FillRect(dc, &strip, resources_.Brush(t_BrushIndex::windowBackground));
    FillVerticalLine(dc, resources_.Brush(t_BrushIndex::frame), width - 1, 0, height);
    const t_WidgetMetrics& metrics = resources_.Metrics();
    const t_Rect& index = indexPane_->Rectangle();
    BlendBitmap(dc, resources_.Bitmap(t_PopupBitmap::resizeGrip), client_.right + metrics.gripOffset,
                index.top + (index.Height() - metrics.gripHeight) / 2, 255);
    ReleaseDC(Handle(), dc);
}

void t_PopupWindow::OnCommand(WPARAM wParam) {
    if (searchBox_ && LOWORD(wParam) == searchBoxId && HIWORD(wParam) == EN_CHANGE && !searchBox_->Quiet())
        SearchTextChanged();
}

void t_PopupWindow::SearchTextChanged() {
    const std::wstring text = searchBox_->Text();
    RunQuery(text);
    // In the command mode what is typed is completed from the history, the added part selected so that typing on
    // replaces it; not right after a Backspace, which would only bring back what was just removed.
    if (!commandMode_ || text.empty() || !searchBox_->AutomaticCompletion() || !searchBox_->CaretAtEnd()) return;
    std::wstring completed = text;
    if (!launcher_.CompleteFromHistory(completed) || completed.size() <= text.size()) return;
    searchBox_->SetTextQuietly(text + completed.substr(text.size()));
    searchBox_->Select(text.size(), completed.size());
}

void t_PopupWindow::RunQuery(const std::wstring& text) {
    if (commandMode_) {
        launcher_.UpdateQuery(text);
        commandList_.Fill(!text.empty());
    } else if (text.empty()) {
        applicationList_.Fill(catalogue_.AppsRoot(), false);
    } else {
        applicationList_.Fill(catalogue_.Search().Search(text, settings_.excludeFoldersFromSearch), true);
    }
    itemList_->Refresh();
    indexPane_->Repaint();
}

void t_PopupWindow::CurrentEntryChanged(const t_CatalogueItem* item) { owner_.CurrentItemChanged(item); }

void t_PopupWindow::ItemListMoved() { indexPane_->Repaint(); }

void t_PopupWindow::PutIntoSearchBox(const std::wstring& text) {
    searchBox_->SetTextQuietly(text);
    SetFocus(searchBox_->Handle());
}

void t_PopupWindow::LaunchEntry(const t_CatalogueItem& item, bool elevated) {
    owner_.LaunchCatalogueItem(item, elevated);
}

void t_PopupWindow::RunCommand(const std::wstring& text, bool elevated) { owner_.RunTypedCommand(text, elevated); }

void t_PopupWindow::ButtonClicked(int controlId) {
    switch (controlId) {
    case modeButtonId:
        owner_.ToggleMode();
        return;
    case launchButtonId:
        owner_.RunTypedCommand(searchBox_->Text(), false);
        return;
    case powerButtonId:
        OpenPowerMenu();
        return;
    default:
        return;
    }
}

void t_PopupWindow::OpenPowerMenu() {
    menuOpen_ = true;
    const UINT command = powerButton_->TrackMenu(GetSubMenu(resources_.ContextMenus(), 0));
    menuOpen_ = false;
    if (command >= IDC_POWER_LOCK && command < IDC_POWER_LOCK + powerActionCount)
        owner_.PowerAction(static_cast<int>(command - IDC_POWER_LOCK) + 1);
}

void t_PopupWindow::ButtonMenuRequested(int controlId) {
    if (controlId == powerButtonId) OpenPowerMenu();
}

void t_PopupWindow::ButtonSlid(int controlId) {
    // The launch button slid to the left: the typed text runs with administrator rights.
    if (controlId == launchButtonId) owner_.RunTypedCommand(searchBox_->Text(), true);
}

bool t_PopupWindow::SearchBoxKey(UINT message, WPARAM key) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (down && key == VK_RETURN) {
        EnterInSearchBox(control);
        return true;
    }
    if (down && (key == VK_UP || key == VK_DOWN)) {
        // The history's candidates, one after another, into the box.
        std::wstring text = searchBox_->Text();
        if (key == VK_UP ? launcher_.PreviousCandidate(text) : launcher_.NextCandidate(text))
            searchBox_->SetTextQuietly(text);
        return true;
    }
    if (!down && key == VK_SPACE && control) {
        CompleteTypedPath();
        return true;
    }
    return PopupKey(message, key);
}

void t_PopupWindow::EnterInSearchBox(bool control) {
    // Ctrl+Shift+Enter runs or launches with administrator rights, as the Windows Run dialog has taught users.
    const bool elevated = control && GetKeyState(VK_SHIFT) < 0;
    const std::wstring text = searchBox_->Text();
    if (!text.empty() && (commandMode_ || control)) {
        owner_.RunTypedCommand(text, elevated);
        return;
    }
    // Otherwise the list's entry; the first one when the user typed and chose none.
    t_ListModel* list = itemList_->Model();
    if (!list) return;
    if (!list->CurrentIndex()) list->Down();
    if (elevated) list->ElevatedModeChanged(true);
    list->LaunchCurrent();
    if (elevated) list->ElevatedModeChanged(elevatedMode_);
}

void t_PopupWindow::CompleteTypedPath() {
    if (!searchBox_->CaretAtEnd()) return;
    std::wstring text = searchBox_->Text();
    if (text.empty()) return;
    if (const std::optional<t_PathCompletion> completion = CompletePath(launcher_.CurrentExecutor(), text)) {
        searchBox_->SetTextQuietly(text);
        searchBox_->Select(completion->addedStart, completion->nameEnd);
    }
}

bool t_PopupWindow::PopupKey(UINT message, WPARAM key) {
    // While a pane holds the pointer (a slide or a drag runs), every key is swallowed.
    if (const HWND capture = GetCapture(); capture && IsChild(Handle(), capture)) return true;
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    switch (key) {
    case VK_MENU:
        owner_.SetElevatedMode(down);
        return true;
    case VK_ESCAPE:
        if (down) owner_.HidePopup();
        return true;
    case VK_F1:
    case VK_F4:
    case VK_F5:
    case VK_F12:
        if (!down) FunctionKey(key);
        return true;
    case VK_F2:
        // F2 acts on release, and its key-down stays the control's.
        if (!down) FunctionKey(key);
        return !down;
    case VK_TAB:
        if (!down) TabKey();
        return true;
    default:
        break;
    }
    // Alt with a digit: the power actions, only while elevated mode is on.
    if (elevatedMode_ && key >= '1' && key <= '7') {
        if (!down) owner_.PowerAction(static_cast<int>(key - '0'));
        return true;
    }
    return false;
}

void t_PopupWindow::FunctionKey(WPARAM key) {
    switch (key) {
    case VK_F1:
        owner_.RunPlacesCommand(t_PlacesCommand::openHelp, nullptr);
        return;
    case VK_F2:
        owner_.RunPlacesCommand(t_PlacesCommand::openSystemSettings, nullptr);
        return;
    case VK_F4:
        owner_.RunPlacesCommand(t_PlacesCommand::openShellStartMenu, nullptr);
        return;
    case VK_F5:
        owner_.RunPlacesCommand(t_PlacesCommand::reloadCatalogue, nullptr);
        return;
    case VK_F12:
        owner_.RunPlacesCommand(t_PlacesCommand::openSettingsWindow, nullptr);
        return;
    default:
        return;
    }
}

void t_PopupWindow::TabKey() {
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    // Ctrl+Tab in the command mode chooses the next executor (Ctrl+Shift+Tab the previous one), keeping the focus.
    if (commandMode_ && GetKeyState(VK_CONTROL) < 0) {
        if (executors_.Step(backwards ? -1 : 1)) RunQuery(searchBox_->Text());
        return;
    }
    const std::array<HWND, 3> cycle{searchBox_->Handle(), itemList_->Handle(), sidePane_->Handle()};
    const auto focused = std::find(cycle.begin(), cycle.end(), GetFocus());
    const std::size_t at = focused == cycle.end() ? 0 : static_cast<std::size_t>(focused - cycle.begin());
    SetFocus(cycle[(at + (backwards ? cycle.size() - 1 : 1)) % cycle.size()]);
}

} // namespace n_ombrix
