#include "app/application.h"

#include "app/exit_codes.h"
#include "ui/web_addresses.h"
#include "launch/shell_execute.h"
#include "system/com_ptr.h"
#include "ui/window_messages.h"

#include "catalogue/catalogue_scan.h"
#include "catalogue/packaged_app_item.h"
#include "system/text_file.h"
#include "ui/message_loop.h"
#include <shellapi.h>
#include <shobjidl.h>
#include <versionhelpers.h>

namespace n_ombrix {

namespace {

// Attempts to take the taskbar over at once, each with its handshake's own pauses.
constexpr int taskbarAttempts = 12;

t_Configuration LoadedConfiguration(const t_ProcessEnvironment& environment) {
    t_Configuration configuration(environment.KnownFolders().DataFolder(), environment.DisplayMetrics().dpiX);
    configuration.Load();
    return configuration;
}

// The Control Panel through the shell's own object (the packaged Settings application joins with packaged
// applications); a beep of the error kind when it cannot be opened.
// The Settings app where the system has packaged apps and Ombrix lists them, else the Control Panel.
void OpenSystemSettings(bool handleModernApps) {
    if (IsWindows8OrGreater() && handleModernApps) {
        if (!ActivatePackagedApp(
                L"windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows.immersivecontrolpanel"))
            MessageBeep(MB_ICONHAND);
        return;
    }
    n_zql::n_system::n_windows::n_com::t_ComPtr<IOpenControlPanel> panel;
    if (FAILED(CoCreateInstance(CLSID_OpenControlPanel, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(panel.Put()))) ||
        FAILED(panel->Open(nullptr, nullptr, nullptr)))
        MessageBeep(MB_ICONHAND);
}

} // namespace

t_Application::t_Application()
    : configuration_(LoadedConfiguration(environment_)),
      widgetResources_(environment_.Instance(), environment_.DisplayMetrics()),
      launcher_(environment_.KnownFolders().DataFolder()),
      currentJumpList_({.automatic = environment_.KnownFolders().AutomaticDestinationsFolder(),
                        .custom = environment_.KnownFolders().CustomDestinationsFolder()}) {}

t_Application::~t_Application() = default;

t_PopupSettings t_Application::PopupSettings() const noexcept {
    return {.width = configuration_.popupWidth.current,
            .appsListWidth = configuration_.appsListWidth.current,
            .compactMode = configuration_.compactMode,
            .showIcons = configuration_.showIcons,
            .excludeFoldersFromSearch = configuration_.excludeFoldersFromSearch};
}

int t_Application::Run() {
    jumpListTexts_ = LoadJumpListHeaderTexts(environment_.Instance());
    popup_ = std::make_unique<t_PopupWindow>(environment_.Instance(), widgetResources_,
                                             static_cast<t_PopupOwner&>(*this), catalogue_, launcher_, PopupSettings());
    ApplyConfiguration();
    AttachTaskbar();
    const WPARAM exitCode = t_MessageLoop::Run();
    if (exitCode == exitNormal) SaveState();
    return static_cast<int>(exitCode);
}

bool t_Application::AttachTaskbar() {
    attachingTaskbar_ = true;
    do {
        taskbarAnnounced_ = false;
        startButtonHook_.reset();
        // Ombrix starts at logon, often before the shell has made its taskbar. Without one it runs on, the popup
        // opening on the show request, and takes the taskbar over when the shell announces it.
        for (int attempt = 0; attempt < taskbarAttempts && !startButtonHook_ && !taskbarAnnounced_; ++attempt) {
            try {
                startButtonHook_ = std::make_unique<t_StartButtonHook>(popup_->Handle());
            } catch (const std::exception&) {
            }
        }
    } while (taskbarAnnounced_);
    attachingTaskbar_ = false;
    return startButtonHook_ != nullptr;
}

void t_Application::WatchCatalogueSources() {
    catalogueWatcher_.reset();
    std::vector<std::wstring> folders;
    for (const auto* locations : {&configuration_.appsShortcutsLocations, &configuration_.placesShortcutsLocations})
        for (const std::wstring& location : *locations) folders.push_back(PreparedLocation(location));
    catalogueWatcher_ =
        std::make_unique<t_CatalogueWatcher>(folders, configuration_.handleModernApps ? packageFamiliesKey : L"",
                                             popup_->Handle(), t_PopupWindow::catalogueChangedMessage);
}

void t_Application::CatalogueChanged() {
    // Never under the user's eyes, where the list would change as they aim at it.
    if (popup_->Visible()) {
        catalogueChangedWhileShown_ = true;
        return;
    }
    ResetCatalogueState();
    ApplyConfiguration();
}

void t_Application::OpenSettingsWindow() {
    if (settingsWindowHost_) {
        settingsWindowHost_->BringToFront();
        return;
    }
    settingsWindowHost_ = std::make_unique<t_SettingsWindowHost>(popup_->Handle(), configuration_,
                                                                 environment_.Instance(), widgetResources_);
}

void t_Application::SettingsWindowClosed(bool accepted) {
    const std::unique_ptr<t_SettingsWindowHost> host = std::move(settingsWindowHost_);
    if (!host) return;
    const t_Configuration& edited = host->Edited();
    if (!accepted) return;
    // Each custom executor of the launcher refers to an item of the configuration's list, which the edited one
    // replaces: the executors go first.
    ResetCatalogueState();
    configuration_.AssignEdited(edited);
    ApplyConfiguration();
}

void t_Application::TaskbarCreated() {
    // The shell's announcement is sent, so it may arrive while a handshake waits: that attachment then starts over,
    // rather than two of them running into each other.
    if (attachingTaskbar_)
        taskbarAnnounced_ = true;
    else
        AttachTaskbar();
}

void t_Application::SaveState() {
    n_zql::n_system::n_windows::CreateFolderIfMissing(environment_.KnownFolders().DataFolder());
    launcher_.Save();
    KeepPopupWidths();
    configuration_.Save();
}

void t_Application::KeepPopupWidths() {
    // The widths as the user left them, dragging the popup's edge.
    if (!popup_) return;
    configuration_.popupWidth.current = popup_->Width();
    configuration_.appsListWidth.current = popup_->AppsListWidth();
}

void t_Application::ApplyConfiguration() {
    // A rebuild keeps the widths the user dragged the popup to.
    KeepPopupWidths();
    widgetResources_.ApplyColorScheme(configuration_.colors, configuration_.useWindowsTheme);
    launcher_.SetCustomExecutors(configuration_.customExecutors);
    // Packaged applications join the applications tree inside the build, before the shortcut folders, when
    // "handle modern apps" is set.
    BuildCatalogue(catalogue_, widgetResources_.IconStore(), configuration_, environment_.KnownFolders());
    if (popup_) {
        popup_->Apply(PopupSettings());
        popup_->ColorsChanged();
        WatchCatalogueSources();
    }
    busy_ = false;
}

void t_Application::ResetCatalogueState() {
    busy_ = true;
    // The jump list's cached icons belong to the icon store, which the next scan empties.
    currentJumpList_.Drop();
    catalogue_.Clear();
    launcher_.Clear();
}

void t_Application::SystemSettingsChanged() { widgetResources_.ReadWheelSettings(); }

void t_Application::WindowsThemeChanged() {
    if (!configuration_.useWindowsTheme) return;
    widgetResources_.ApplyColorScheme(configuration_.colors, true);
    if (popup_) popup_->ColorsChanged();
}

void t_Application::ShowPopup(bool commandMode) {
    if (busy_) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    SetCommandMode(commandMode);
    if (popup_->Visible()) return;
    SetElevatedMode(GetKeyState(VK_MENU) < 0);
    popup_->Show(); // SetCommandMode gave it its mode and lists
    if (startButtonHook_) PostMessageW(startButtonHook_->DesktopWindow(), MSG_POPUP_SHOWN, 0, 0);
}

void t_Application::HidePopup() {
    if (popup_) popup_->Hide();
    // The shell may write the application's jump-list files again.
    currentJumpList_.Drop();
    // A build put off while the popup showed comes now, from the message loop: callers may still hold an item.
    if (std::exchange(catalogueChangedWhileShown_, false) && popup_)
        PostMessageW(popup_->Handle(), t_PopupWindow::catalogueChangedMessage, 0, 1);
}

void t_Application::SetCommandMode(bool on) {
    if (on != commandMode_) {
        // The command box starts with the executor it was left with; the application list always with the default.
        const t_Executor& previous = launcher_.PreviousExecutor();
        if (on)
            launcher_.SelectExecutor(previous);
        else
            launcher_.SelectExecutor(launcher_.DefaultExecutor());
    }
    commandMode_ = on;
    if (!on) currentJumpList_.MarkAvailability(catalogue_, configuration_.handleJumplists);
    popup_->SetMode(on);
}

void t_Application::SetElevatedMode(bool on) {
    if (on == elevatedMode_) return;
    elevatedMode_ = on;
    popup_->SetElevatedMode(on);
}

void t_Application::RunTypedCommand(const std::wstring& text, bool elevated) {
    std::wstring prepared = text;
    launcher_.CurrentExecutor().Prepare(prepared);
    if (prepared.empty()) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    const bool defaultExecutor = &launcher_.CurrentExecutor() == &launcher_.DefaultExecutor();
    const bool launched = launcher_.Launch(prepared, text, elevated || elevatedMode_);
    HidePopup();
    // What could not be run comes back, selected, at the next show, to be mended.
    if (!launched) popup_->SetPendingText(text, defaultExecutor);
}

void t_Application::LaunchCatalogueItem(const t_CatalogueItem& item, bool elevated) {
    item.Launch(elevated || elevatedMode_);
    HidePopup();
}

void t_Application::PowerAction(int number) {
    HidePopup();
    RunPowerAction(powerCalls_, number);
}

void t_Application::CurrentItemChanged(const t_CatalogueItem* item) {
    switch (currentJumpList_.Follow(item)) {
    case t_CurrentJumpList::t_Change::built:
        popup_->ShowJumpList(*currentJumpList_.Get(), jumpListTexts_);
        return;
    case t_CurrentJumpList::t_Change::dropped:
        popup_->ShowPlaces();
        return;
    case t_CurrentJumpList::t_Change::none:
        return;
    }
}

void t_Application::OpenHelp() {
    OpenWithShell(environment_.KnownFolders().ProgramFolder() + widgetResources_.String(192) + L"\\Ombrix Help.chm");
}

void t_Application::ReloadCatalogue() {
    catalogueChangedWhileShown_ = false; // built now
    HidePopup();
    ResetCatalogueState();
    ApplyConfiguration();
}

void t_Application::RunPlacesCommand(t_PlacesCommand command, const t_CatalogueItem* place) {
    switch (command) {
    case t_PlacesCommand::launchPlace:
        if (place) place->Launch(false);
        HidePopup();
        return;
    case t_PlacesCommand::openSystemSettings:
        HidePopup();
        OpenSystemSettings(configuration_.handleModernApps);
        return;
    case t_PlacesCommand::openShellStartMenu:
        HidePopup();
        // The shell opens its own Start menu through the hook library, at the middle of where the popup stood.
        if (startButtonHook_) {
            RECT popup{};
            GetWindowRect(popup_->Handle(), &popup);
            PostMessageW(startButtonHook_->DesktopWindow(), MSG_OPEN_SHELL_START, SC_TASKLIST,
                         MAKELPARAM((popup.right - popup.left) / 2, (popup.bottom - popup.top) / 2));
        }
        return;
    case t_PlacesCommand::reloadCatalogue:
        ReloadCatalogue();
        return;
    case t_PlacesCommand::openHomePage:
        HidePopup();
        ShellExecuteW(GetDesktopWindow(), L"open",
                      WebAddressForLanguage(HomePageAddress(), widgetResources_.String(192)).c_str(), nullptr, nullptr,
                      SW_SHOWNORMAL);
        return;
    case t_PlacesCommand::openHelp:
        HidePopup();
        OpenHelp();
        return;
    case t_PlacesCommand::showAbout:
        HidePopup();
        aboutBox_.Show(popup_->Handle(), widgetResources_.LargeIcon(), widgetResources_.String(192), *this);
        return;
    case t_PlacesCommand::exitApplication:
        SendMessageW(popup_->Handle(), WM_CLOSE, 0, 0);
        return;
    case t_PlacesCommand::openSettingsWindow:
        // The window is made on its own thread meanwhile.
        OpenSettingsWindow();
        HidePopup();
        return;
    case t_PlacesCommand::none: return;
    }
}

void t_Application::CloseRequested() {
    HidePopup();
    PostQuitMessage(exitNormal);
}

void t_Application::SessionEnding(bool ending) {
    // The session may end as soon as this returns, so the state is saved now and the end of Run() does not save
    // a second time. A log-off that was cancelled ends nothing: saved, Ombrix keeps running.
    SaveState();
    if (ending) PostQuitMessage(exitEndSession);
}

} // namespace n_ombrix
