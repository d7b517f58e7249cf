#include "settings/settings_panel.h"

#include "resource_ids.h"
#include "settings/file_dialogs.h"
#include "settings/settings_control_ids.h"
#include "settings/settings_controls.h"
#include "ui/web_addresses.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>

namespace n_ombrix {

namespace {

namespace n_id = n_settings_control;

// The options, each a check box whose label says what checking it does.
struct t_Option {
    int id;
    bool t_Configuration::*value;
    unsigned text;
};
constexpr std::array<t_Option, 8> options{{
    {n_id::showIcons, &t_Configuration::showIcons, IDS_FIRST_OPTION},
    {n_id::compactMode, &t_Configuration::compactMode, IDS_FIRST_OPTION + 1},
    {n_id::extractSingleItemFolders, &t_Configuration::extractSingleItemFolders, IDS_FIRST_OPTION + 2},
    {n_id::excludeFoldersFromSearch, &t_Configuration::excludeFoldersFromSearch, IDS_FIRST_OPTION + 3},
    {n_id::handleJumplists, &t_Configuration::handleJumplists, IDS_FIRST_OPTION + 4},
    {n_id::handleModernApps, &t_Configuration::handleModernApps, IDS_FIRST_OPTION + 5},
    {n_id::autostart, &t_Configuration::autostart, IDS_FIRST_OPTION + 6},
    {n_id::useWindowsTheme, &t_Configuration::useWindowsTheme, IDS_USE_WINDOWS_THEME},
}};

constexpr DWORD checkBoxStyle = WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY;
constexpr DWORD buttonStyle = WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;

} // namespace

t_SettingsPanel::t_SettingsPanel(t_SettingsContext& context, t_ExecutorEditor& editor, const wchar_t* windowClass,
                                 HWND parent)
    : context_(context), editor_(editor), lineHeight_(context.resources.Metrics().unit + 4) {
    CreateWindowFor({.extendedStyle = WS_EX_CONTROLPARENT,
                     .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                     .className = windowClass,
                     .controlId = n_id::panel},
                    parent);
    CreateControls();
}

HWND t_SettingsPanel::AddLine(const wchar_t* className, const wchar_t* text, DWORD style, int id, int height,
                              int gapBefore, DWORD extendedStyle) {
    const HWND control =
        CreateControl(Handle(), className, text, style, id, context_.resources.GuiFont(), extendedStyle);
    lines_.push_back({.controls = {control}, .height = height, .gapBefore = gapBefore});
    return control;
}

HWND t_SettingsPanel::AddHeading(int id, unsigned text) {
    return AddLine(L"STATIC", context_.String(text), SS_NOPREFIX, id, lineHeight_, lineHeight_ / 2);
}

HWND t_SettingsPanel::AddList(int id, bool editLabels, int rows) {
    lines_.push_back({.controls = {CreateReportList(Handle(), id, editLabels, context_.resources.GuiFont())},
                      .height = rows * lineHeight_,
                      .gapBefore = 4});
    return lines_.back().controls.front();
}

std::vector<HWND> t_SettingsPanel::AddButtons(std::initializer_list<std::pair<int, unsigned>> buttons) {
    t_Line line{.height = lineHeight_ + 2, .gapBefore = 4, .buttons = true};
    for (const auto& [id, text] : buttons)
        line.controls.push_back(
            CreateControl(Handle(), L"BUTTON", context_.String(text), buttonStyle, id, context_.resources.GuiFont()));
    lines_.push_back(line);
    return line.controls;
}

void t_SettingsPanel::CreateControls() {
    AddHeading(1, IDS_GENERAL_HEADING);
    for (const t_Option& option : options)
        if (option.id != n_id::useWindowsTheme)
            AddLine(L"BUTTON", context_.String(option.text), checkBoxStyle, option.id, lineHeight_);

    AddHeading(9, IDS_COLORS_HEADING);
    AddLine(L"BUTTON", context_.String(IDS_USE_WINDOWS_THEME), checkBoxStyle, n_id::useWindowsTheme, lineHeight_);
    colorList_ = std::make_unique<t_ColorList>(context_, AddList(n_id::colorList, false, 10));
    AddLine(WC_LINK, context_.String(IDS_COLOR_SCHEMES_LINK), WS_TABSTOP, n_id::colorSchemesLink, lineHeight_, 4);
    AddButtons({{n_id::importColors, IDS_IMPORT}, {n_id::exportColors, IDS_EXPORT}});

    const auto addList = [&](int headingId, unsigned heading, int listId, bool editLabels) {
        AddHeading(headingId, heading);
        return AddList(listId, editLabels, 5);
    };
    const HWND executors = addList(15, IDS_EXECUTORS_HEADING, n_id::executorList, false);
    std::vector<HWND> buttons = AddButtons({{n_id::addExecutor, IDS_ADD_BROWSING}, {n_id::removeExecutor, IDS_REMOVE}});
    executorList_ = std::make_unique<t_ExecutorList>(context_, editor_, Handle(), executors, buttons[0], buttons[1]);

    auto& configuration = context_.configuration;
    const HWND apps = addList(19, IDS_APPS_LOCATIONS_HEADING, n_id::appsLocationList, true);
    buttons = AddButtons({{n_id::addAppsLocation, IDS_ADD_BROWSING}, {n_id::removeAppsLocation, IDS_REMOVE}});
    stringLists_.push_back(std::make_unique<t_StringList>(context_, configuration.appsShortcutsLocations,
                                                          t_StringList::t_Entries::folders, apps, buttons[0],
                                                          buttons[1]));
    const HWND filters = addList(23, IDS_FILTERS_HEADING, n_id::filterList, true);
    buttons = AddButtons({{n_id::addFilter, IDS_ADD}, {n_id::removeFilter, IDS_REMOVE}});
    stringLists_.push_back(std::make_unique<t_StringList>(context_, configuration.appsShortcutsFilters,
                                                          t_StringList::t_Entries::patterns, filters, buttons[0],
                                                          buttons[1]));
    const HWND places = addList(27, IDS_PLACES_LOCATIONS_HEADING, n_id::placesLocationList, true);
    buttons = AddButtons({{n_id::addPlacesLocation, IDS_ADD_BROWSING}, {n_id::removePlacesLocation, IDS_REMOVE}});
    stringLists_.push_back(std::make_unique<t_StringList>(context_, configuration.placesShortcutsLocations,
                                                          t_StringList::t_Entries::folders, places, buttons[0],
                                                          buttons[1]));

    AddHeading(31, IDS_DEFAULTS_HEADING);
    AddButtons({{n_id::resetToDefaults, IDS_RESET}});
}

void t_SettingsPanel::Load() {
    for (const t_Option& option : options)
        CheckDlgButton(Handle(), option.id, context_.configuration.*option.value ? BST_CHECKED : BST_UNCHECKED);
    EnableColorControls();
    colorList_->Load();
    executorList_->Load();
    for (const auto& list : stringLists_) list->Load();
}

void t_SettingsPanel::EnableColorControls() const noexcept {
    const bool own = !context_.configuration.useWindowsTheme;
    for (const int id : {n_id::colorList, n_id::importColors, n_id::exportColors})
        EnableWindow(GetDlgItem(Handle(), id), own);
}

void t_SettingsPanel::Place(const RECT& bounds) {
    // Redrawn as it moves: what it uncovers was never painted (the window was smaller until it was maximized).
    // The controls follow in WM_SIZE.
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void t_SettingsPanel::Layout() {
    const int margin = context_.resources.Metrics().unit;
    const int buttonWidth = 2 * context_.resources.Metrics().buttonWidth;
    int y = margin / 2;
    for (const t_Line& line : lines_) y += line.gapBefore + line.height;
    contentHeight_ = y + margin;
    const int page = ClientRectangle().bottom;
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(SCROLLINFO);
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    scroll.nMax = contentHeight_ - 1;
    scroll.nPage = static_cast<UINT>(std::max(page, 0));
    // The scroll bar may come or go: the client width is read again after it (its WM_SIZE lays nothing out).
    layingOut_ = true;
    SetScrollInfo(Handle(), SB_VERT, &scroll, TRUE);
    layingOut_ = false;
    ReadClientRectangle();
    scrollPosition_ = std::clamp(scrollPosition_, 0, std::max(0, contentHeight_ - page));
    SetScrollPos(Handle(), SB_VERT, scrollPosition_, TRUE);
    const int width = std::max<int>(0, ClientRectangle().right - 2 * margin);

    HDWP batch = BeginDeferWindowPos(static_cast<int>(lines_.size()) + 4);
    y = margin / 2 - scrollPosition_;
    for (const t_Line& line : lines_) {
        y += line.gapBefore;
        int x = margin;
        for (const HWND control : line.controls) {
            const int controlWidth = line.buttons ? buttonWidth : width;
            if (batch)
                batch = DeferWindowPos(batch, control, nullptr, x, y, controlWidth, line.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
            x += controlWidth + margin / 2;
        }
        y += line.height;
    }
    if (batch) EndDeferWindowPos(batch);
    colorList_->FitColumn();
    executorList_->FitColumns();
    for (const auto& list : stringLists_) list->FitColumn();
    // Moved controls paint where they now are, the panel around them too.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void t_SettingsPanel::ScrollTo(int position) {
    const int page = ClientRectangle().bottom;
    position = std::clamp(position, 0, std::max(0, contentHeight_ - page));
    if (position == scrollPosition_) return;
    scrollPosition_ = position;
    Layout();
}

void t_SettingsPanel::ScrollIntoView(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    const int page = ClientRectangle().bottom, margin = lineHeight_ / 2;
    if (bounds.top < 0)
        ScrollTo(scrollPosition_ + bounds.top - margin);
    else if (bounds.bottom > page)
        ScrollTo(scrollPosition_ + std::min<int>(bounds.bottom - page + margin, bounds.top - margin));
}

void t_SettingsPanel::Command(int id, int code) {
    if (code == BN_SETFOCUS) {
        ScrollIntoView(GetDlgItem(Handle(), id));
        return;
    }
    if (code != BN_CLICKED) return;
    for (const t_Option& option : options) {
        if (option.id != id) continue;
        context_.configuration.*option.value = IsDlgButtonChecked(Handle(), id) == BST_CHECKED;
        context_.MarkChanged();
        if (id == n_id::useWindowsTheme) EnableColorControls();
        return;
    }
    switch (id) {
    case n_id::importColors:
        ImportColors();
        return;
    case n_id::exportColors:
        ExportColors();
        return;
    case n_id::resetToDefaults:
        context_.configuration.ResetToDefaults();
        context_.MarkChanged();
        Load();
        return;
    default:
        break;
    }
    if (executorList_->Command(id)) return;
    for (const auto& list : stringLists_)
        if (list->Command(id)) return;
}

void t_SettingsPanel::ImportColors() {
    const std::optional<std::wstring> path =
        ShowFileDialog(context_.window, {.purpose = t_FileDialogPurpose::colorSchemes,
                                         .kind = t_FileDialogKind::openFile,
                                         .title = context_.String(IDS_CHOOSE_COLOR_SCHEME),
                                         .fileTypes = {{context_.String(IDS_COLOR_SCHEME_FILES), L"*.qln"}},
                                         .defaultExtension = L"qln"});
    if (context_.GivenUp() || !path) return;
    const auto before = context_.configuration.colors;
    // A damaged or foreign file changes nothing.
    context_.configuration.ImportColors(*path);
    if (context_.configuration.colors == before) return;
    context_.MarkChanged();
    colorList_->Load();
}

void t_SettingsPanel::ExportColors() const {
    const std::optional<std::wstring> path =
        ShowFileDialog(context_.window, {.purpose = t_FileDialogPurpose::colorSchemes,
                                         .kind = t_FileDialogKind::saveFile,
                                         .fileName = L"Ombrix colors",
                                         .fileTypes = {{context_.String(IDS_COLOR_SCHEME_FILES), L"*.qln"}},
                                         .defaultExtension = L"qln"});
    if (context_.GivenUp() || !path) return;
    context_.configuration.ExportColors(*path);
}

std::optional<LRESULT> t_SettingsPanel::Notify(const NMHDR& header) {
    if (header.code == NM_SETFOCUS) ScrollIntoView(header.hwndFrom);
    switch (header.idFrom) {
    case n_id::colorList:
        if (colorList_->Notify(header)) return 0;
        return std::nullopt;
    case n_id::colorSchemesLink:
        if (header.code != NM_CLICK && header.code != NM_RETURN) return std::nullopt;
        ShellExecuteW(GetDesktopWindow(), L"open",
                      WebAddressForLanguage(ColorSchemesAddress(), context_.String(IDS_LANGUAGE)).c_str(), nullptr,
                      nullptr, SW_SHOWNORMAL);
        return 0;
    case n_id::executorList:
        return executorList_->Notify(header);
    case n_id::appsLocationList:
        return stringLists_[0]->Notify(header);
    case n_id::filterList:
        return stringLists_[1]->Notify(header);
    case n_id::placesLocationList:
        return stringLists_[2]->Notify(header);
    default:
        return std::nullopt;
    }
}

LRESULT t_SettingsPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (const std::optional<LRESULT> result = Notify(*reinterpret_cast<const NMHDR*>(lParam))) return *result;
        break;
    case WM_SIZE:
        ReadClientRectangle();
        if (!layingOut_) Layout();
        return 0;
    case WM_VSCROLL: {
        SCROLLINFO scroll{};
        scroll.cbSize = sizeof(SCROLLINFO);
        scroll.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_VERT, &scroll);
        const int page = static_cast<int>(scroll.nPage);
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            ScrollTo(scrollPosition_ - lineHeight_);
            break;
        case SB_LINEDOWN:
            ScrollTo(scrollPosition_ + lineHeight_);
            break;
        case SB_PAGEUP:
            ScrollTo(scrollPosition_ - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(scrollPosition_ + page);
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(contentHeight_);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(scroll.nTrackPos);
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        ScrollTo(scrollPosition_ - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * lineHeight_ / WHEEL_DELTA);
        return 0;
    case WM_LBUTTONUP:
        if (executorList_->Dragging()) {
            POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(Handle(), &point);
            executorList_->Drop(point);
        }
        return 0;
    case WM_CAPTURECHANGED:
        executorList_->CancelDrag();
        return 0;
    case WM_CTLCOLORSTATIC:
        // Headings, check boxes and the link stand on the panel's own background.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_ERASEBKGND:
        return EraseWithSystemColor(Handle(), wParam, COLOR_WINDOW);
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace n_ombrix
