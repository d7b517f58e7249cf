#pragma once
// A popup owner that does nothing: for a popup made in a test or a benchmark, whose commands must not run.

#include "ui/popup_owner.h"

namespace n_ombrix_test {

class t_QuietPopupOwner final : public n_ombrix::t_PopupOwner {
public:
    void ShowPopup(bool) override {}
    void HidePopup() override {}
    void SetElevatedMode(bool) override {}
    void ToggleMode() override {}
    void LaunchCatalogueItem(const n_ombrix::t_CatalogueItem&, bool) override {}
    void RunTypedCommand(const std::wstring&, bool) override {}
    void RunPlacesCommand(n_ombrix::t_PlacesCommand, const n_ombrix::t_CatalogueItem*) override {}
    void PowerAction(int) override {}
    void CurrentItemChanged(const n_ombrix::t_CatalogueItem*) override {}
    void CloseRequested() override {}
    void SessionEnding(bool) override {}
    void SystemSettingsChanged() override {}
    void WindowsThemeChanged() override {}
    void TaskbarCreated() override {}
    void CatalogueChanged() override {}
    void SettingsWindowClosed(bool) override {}
};

} // namespace n_ombrix_test
