#include "app/application.h"

#include "app/exit_codes.h"
#include "catalogue/catalogue_scan.h"
#include "system/text_file.h"
#include "ui/message_loop.h"

namespace n_ombrix {

namespace {

t_Configuration LoadedConfiguration(const t_ProcessEnvironment& environment) {
    t_Configuration configuration(environment.KnownFolders().DataFolder(), environment.DisplayMetrics().dpiX);
    configuration.Load();
    return configuration;
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
    popup_ = std::make_unique<t_PopupWindow>(environment_.Instance(), widgetResources_,
                                             static_cast<t_PopupOwner&>(*this), catalogue_, launcher_, PopupSettings());
    ApplyConfiguration();
    const WPARAM exitCode = t_MessageLoop::Run();
    if (exitCode == exitNormal) SaveState();
    return static_cast<int>(exitCode);
}

void t_Application::SaveState() {
    n_zql::n_system::n_windows::CreateFolderIfMissing(environment_.KnownFolders().DataFolder());
    launcher_.Save();
    // The widths as the user left them, dragging the popup's edge.
    if (popup_) {
        configuration_.popupWidth.current = popup_->Width();
        configuration_.appsListWidth.current = popup_->AppsListWidth();
    }
    configuration_.Save();
}

void t_Application::ApplyConfiguration() {
    widgetResources_.ApplyColorScheme(configuration_.colors, configuration_.useWindowsTheme);
    launcher_.SetCustomExecutors(configuration_.customExecutors);
    // Packaged applications join the applications tree inside the build, before the shortcut folders, when
    // "handle modern apps" is set.
    BuildCatalogue(catalogue_, widgetResources_.IconStore(), configuration_, environment_.KnownFolders());
    if (popup_) popup_->Apply(PopupSettings());
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
    if (popup_) RedrawWindow(popup_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void t_Application::ShowPopup(bool commandMode) {
    if (busy_) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    SetCommandMode(commandMode);
    if (popup_->Visible()) return;
    SetElevatedMode(GetKeyState(VK_MENU) < 0);
    popup_->Show(commandMode_);
}

void t_Application::HidePopup() {
    if (popup_) popup_->Hide();
    // The shell may write the application's jump-list files again.
    currentJumpList_.Drop();
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
    launcher_.Launch(prepared, text, elevated || elevatedMode_);
    HidePopup();
}

void t_Application::LaunchCatalogueItem(const t_CatalogueItem& item, bool elevated) {
    item.Launch(elevated || elevatedMode_);
    HidePopup();
}

void t_Application::PowerAction(int number) {
    HidePopup();
    RunPowerAction(powerCalls_, number);
}

void t_Application::CurrentItemChanged(const t_CatalogueItem* item) { currentJumpList_.Follow(item); }

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
