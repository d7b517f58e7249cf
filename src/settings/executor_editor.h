#pragma once
// The executor editor: a small window over the settings window with a labelled field for each of a launch item's
// five texts, browse buttons for the program and the working folder, OK and Cancel. It runs modally on the settings
// thread, the settings window disabled meanwhile.

#include "launch/launch_item.h"
#include "settings/settings_context.h"
#include "ui/window.h"

#include <array>

namespace n_ombrix {

class t_ExecutorEditor final : public t_Window {
public:
    // The window class is the settings window's; it outlives the editor.
    t_ExecutorEditor(t_SettingsContext& context, const wchar_t* windowClass);

    // Shows the item and returns when the editor closes: true when OK took a change (a field typed differently, or a
    // browse that chose something), which is then in the item, with an empty template filled.
    bool Edit(t_LaunchItem& item);
    // Ends an open edit as cancelled: the settings window is closing.
    void End() noexcept;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Create();
    void Browse(std::size_t field);
    void Accept();

    t_SettingsContext& context_;
    const wchar_t* windowClass_;
    std::array<HWND, 5> fields_{};
    t_LaunchItem edited_;
    bool browsed_ = false;
    bool accepted_ = false;
    bool ended_ = true;
};

} // namespace n_ombrix
