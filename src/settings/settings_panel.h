#pragma once
// The settings window's scrolling panel: every control of the settings, top to bottom in the order of their
// identifiers, and what each of them does to the configuration copy. On the settings thread.

#include "settings/color_list.h"
#include "settings/executor_list.h"
#include "settings/settings_context.h"
#include "settings/string_list.h"
#include "ui/window.h"

#include <memory>
#include <optional>
#include <vector>

namespace n_ombrix {

class t_SettingsPanel final : public t_Window {
public:
    // Creates the panel and its controls in the settings window.
    t_SettingsPanel(t_SettingsContext& context, t_ExecutorEditor& editor, const wchar_t* windowClass, HWND parent);

    // Every control from the copy.
    void Load();
    // The panel's new place in the settings window; the controls follow its width.
    void Place(const RECT& bounds);

private:
    // A line of the panel: one control across its width, or a row of buttons.
    struct t_Line {
        std::vector<HWND> controls{};
        int height = 0;
        int gapBefore = 0;
        bool buttons = false;
    };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    HWND AddLine(const wchar_t* className, const wchar_t* text, DWORD style, int id, int height, int gapBefore = 0,
                 DWORD extendedStyle = 0);
    HWND AddHeading(int id, unsigned text);
    HWND AddList(int id, bool editLabels, int rows);
    std::vector<HWND> AddButtons(std::initializer_list<std::pair<int, unsigned>> buttons);
    void Layout();
    void ScrollTo(int position);
    void ScrollIntoView(HWND control);
    void Command(int id, int code);
    std::optional<LRESULT> Notify(const NMHDR& header);
    void ImportColors();
    void ExportColors() const;
    void EnableColorControls() const noexcept;

    t_SettingsContext& context_;
    t_ExecutorEditor& editor_;
    std::vector<t_Line> lines_;
    int lineHeight_ = 0;
    int contentHeight_ = 0;
    int scrollPosition_ = 0;
    bool layingOut_ = false;
    std::unique_ptr<t_ColorList> colorList_;
    std::unique_ptr<t_ExecutorList> executorList_;
    std::vector<std::unique_ptr<t_StringList>> stringLists_; // folders for apps, patterns, folders for places
};

} // namespace n_ombrix
