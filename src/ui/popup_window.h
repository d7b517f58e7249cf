#pragma once
// The popup: a borderless, top-most tool window at the top-left corner of the current monitor's work area, as tall
// as the work area, holding seven panes: the mode button, the search box, the launch button and the power button in
// a row at the top, the index pane, the item list and the side pane below. A strip at its right edge resizes it.
//
// It is also the application's one top-level window (class "Ombrix"): hidden at rest, it receives the system's
// messages and the show request and hands them to its owner.

#include "ui/alphabetical_index.h"
#include "ui/application_list_model.h"
#include "ui/command_list_model.h"
#include "ui/executor_index_model.h"
#include "ui/index_pane.h"
#include "ui/item_list_pane.h"
#include "ui/jump_list_side_list.h"
#include "ui/letter_index_model.h"
#include "ui/places_side_list.h"
#include "ui/popup_host.h"
#include "ui/popup_keys.h"
#include "ui/search_box.h"
#include "ui/search_row_button.h"
#include "ui/side_pane.h"
#include "ui/window.h"
#include "ui/window_class.h"

#include <memory>

namespace n_ombrix {

class t_Catalogue;
class t_DefaultLauncher;
class t_PopupOwner;
class t_WidgetResources;

// What the popup shows its lists with, from the configuration.
struct t_PopupSettings {
    std::int32_t width = 0;         // the window's, at the screen's DPI
    std::int32_t appsListWidth = 0; // the item list's
    bool compactMode = false;
    bool showIcons = true;
    bool excludeFoldersFromSearch = false;
};

class t_PopupWindow final : public t_Window,
                            private t_PopupHost,
                            private t_ButtonOwner,
                            private t_SearchBoxOwner,
                            private t_PopupKeys {
public:
    // Posted by the catalogue's watcher at every change of what the catalogue is built from (lParam 1: the changes have
    // settled already). The owner hears of them once none has come for a while.
    static constexpr UINT catalogueChangedMessage = WM_APP + 1;

    // Everything given outlives the popup. Created hidden.
    t_PopupWindow(HINSTANCE instance, t_WidgetResources& resources, t_PopupOwner& owner, t_Catalogue& catalogue,
                  t_DefaultLauncher& launcher, const t_PopupSettings& settings);
    ~t_PopupWindow() override;

    // The lists' looks and the widths, after the configuration was applied.
    void Apply(const t_PopupSettings& settings);
    // Shows the popup on the current monitor in the mode set last (SetMode refills its lists), the focus in the
    // search box.
    void Show();
    // The colours changed: everything is painted anew, at once or, when hidden, at the next show (a hidden
    // window keeps no invalidation).
    void ColorsChanged() noexcept;
    // Hides the popup and empties the item list, so that no entry of the catalogue is referred to while hidden.
    void Hide();
    bool Visible() const noexcept { return IsWindowVisible(Handle()) != FALSE; }
    bool CommandMode() const noexcept { return commandMode_; }
    void SetMode(bool commandMode);
    void SetElevatedMode(bool on);
    // Text that comes back into the search box, selected, at the next show: a command that could not be run. It
    // comes back in the command mode, or in either mode when it was typed for the default executor.
    void SetPendingText(std::wstring text, bool inAnyMode);
    // The side pane: the places list, or the jump list of the item list's current application (which outlives its
    // use here: the application drops it only after the side pane let it go).
    void ShowPlaces();
    void ShowJumpList(t_JumpList& jumpList, const t_JumpListHeaderTexts& texts);
    // The widths as the user left them, for the configuration.
    std::int32_t Width() const noexcept { return width_; }
    std::int32_t AppsListWidth() const noexcept { return itemList_->Rectangle().Width(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowPosChanging(WINDOWPOS& position);
    void Place(WINDOWPOS& position) const;
    void LayoutPanes(std::int32_t width, std::int32_t height);
    LRESULT OnHitTest(POINT screenPoint) const;
    void OnSizing(WPARAM edge, RECT& proposed) const;
    void PaintResizeStrip() const;
    void OnCommand(WPARAM wParam);
    void SearchTextChanged();
    // The typed text's query: the search results, or the history's candidates in the command mode.
    void RunQuery(const std::wstring& text);
    void EnterInSearchBox(bool control);
    void CompleteTypedPath();
    void FunctionKey(WPARAM key);
    void TabKey();
    void OpenPowerMenu();
    void AddTooltip(HWND tool, t_TooltipSource& source) const noexcept;
    void Refill();

    // t_PopupHost
    void CurrentEntryChanged(const t_CatalogueItem* item) override;
    void ItemListMoved() override;
    void PutIntoSearchBox(const std::wstring& text) override;
    void LaunchEntry(const t_CatalogueItem& item, bool elevated) override;
    void RunCommand(const std::wstring& text, bool elevated) override;
    void SetMenuOpen(bool open) override { menuOpen_ = open; }
    // t_ButtonOwner
    void ButtonClicked(int controlId) override;
    void ButtonSlid(int controlId) override;
    void ButtonMenuRequested(int controlId) override;
    // t_SearchBoxOwner
    bool SearchBoxKey(UINT message, WPARAM key) override;
    // t_PopupKeys
    bool PopupKey(UINT message, WPARAM key) override;

    t_WidgetResources& resources_;
    t_PopupOwner& owner_;
    t_Catalogue& catalogue_;
    t_DefaultLauncher& launcher_;
    t_PopupSettings settings_;
    t_WindowClass popupClass_;
    t_WindowClass widgetClass_;
    t_ApplicationListModel applicationList_;
    t_CommandListModel commandList_;
    t_LetterIndexModel letters_;
    t_ExecutorIndexModel executors_;
    t_PlacesSideList places_;
    std::unique_ptr<t_JumpListSideList> jumpList_; // the current application's, while the side pane shows it
    // The panes, made once the popup's window exists; Windows destroys their windows with it.
    std::unique_ptr<t_SearchRowButton> modeButton_;
    std::unique_ptr<t_SearchBox> searchBox_;
    std::unique_ptr<t_SearchRowButton> launchButton_;
    std::unique_ptr<t_SearchRowButton> powerButton_;
    std::unique_ptr<t_IndexPane> indexPane_;
    std::unique_ptr<t_ItemListPane> itemList_;
    std::unique_ptr<t_SidePane> sidePane_;
    HWND tooltip_ = nullptr; // owned by the popup's window: Windows destroys it with the popup
    t_Rect client_;          // the client area the panes are anchored to
    std::int32_t width_;     // as the user left it; a narrower work area does not change it
    const UINT taskbarCreated_;
    std::wstring pendingText_;
    bool pendingInAnyMode_ = false;
    bool commandMode_ = false;
    bool elevatedMode_ = false;
    bool menuOpen_ = false;
    bool repaintAtShow_ = false;
};

} // namespace n_ombrix
