#include "app/application.h"

#include "app/exit_codes.h"
#include "system/dpi_scaling.h"
#include "system/error_exception.h"
#include "ui/message_loop.h"

namespace n_ombrix {

namespace {

t_Application* instance = nullptr;

constexpr int defaultPopupWidth = 621; // at 96 DPI

} // namespace

t_Application::t_Publication::~t_Publication() { instance = nullptr; }

t_Application* t_Application::Instance() noexcept { return instance; }

t_Application::t_Application() { instance = this; }

t_Application::~t_Application() = default;

int t_Application::Run() {
    const auto& metrics = environment_.DisplayMetrics();
    window_ = std::make_unique<t_ApplicationWindow>(*this, environment_.Instance(),
                                                    n_zql::n_system::ScaleForDpi(defaultPopupWidth, metrics.dpiX));
    ApplyConfiguration();
    const WPARAM exitCode = t_MessageLoop::Run();
    if (exitCode == exitNormal) SaveState();
    return static_cast<int>(exitCode);
}

void t_Application::SaveState() {
    if (!CreateDirectoryW(environment_.KnownFolders().DataFolder().c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) n_zql::n_system::n_windows::ThrowWin32Error(error);
    }
}

void t_Application::ApplyConfiguration() { busy_ = false; }

void t_Application::ResetCatalogueState() { busy_ = true; }

void t_Application::HidePopup() {
    if (window_) ShowWindow(window_->Handle(), SW_HIDE);
}

} // namespace n_ombrix
