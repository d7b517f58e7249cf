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

int t_Application::Run() {
    window_ = std::make_unique<t_ApplicationWindow>(*this, environment_.Instance(), configuration_.popupWidth.current);
    ApplyConfiguration();
    const WPARAM exitCode = t_MessageLoop::Run();
    if (exitCode == exitNormal) SaveState();
    return static_cast<int>(exitCode);
}

void t_Application::SaveState() {
    n_zql::n_system::n_windows::CreateFolderIfMissing(environment_.KnownFolders().DataFolder());
    launcher_.Save();
    // The popup's two widths are copied into the configuration here, once the popup exists.
    configuration_.Save();
}

void t_Application::ApplyConfiguration() {
    widgetResources_.ApplyColorScheme(configuration_.colors, configuration_.useWindowsTheme);
    launcher_.SetCustomExecutors(configuration_.customExecutors);
    // Packaged applications join the applications tree inside the build, before the shortcut folders, when
    // "handle modern apps" is set.
    BuildCatalogue(catalogue_, widgetResources_.IconStore(), configuration_, environment_.KnownFolders());
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
    if (window_) InvalidateRect(window_->Handle(), nullptr, TRUE);
}

void t_Application::HidePopup() {
    if (window_) ShowWindow(window_->Handle(), SW_HIDE);
    // The shell may write the application's jump-list files again.
    currentJumpList_.Drop();
}

} // namespace n_ombrix
