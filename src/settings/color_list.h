#pragma once
// The colour list of the settings window: one row per colour of the scheme, its caption and a swatch, and the colour
// chooser on F2 or a double-click. On the settings thread.

#include "settings/settings_context.h"

#include <windows.h>

namespace n_ombrix {

class t_ColorList {
public:
    // Makes the swatches for the list (which owns them from then on) and its one column.
    t_ColorList(t_SettingsContext& context, HWND list);

    // Rows and swatches from the copy's colours.
    void Load();
    // The list's notifications; true when taken.
    bool Notify(const NMHDR& header);
    void FitColumn() const noexcept;

private:
    void Choose(int row);
    void PaintSwatch(int row);

    t_SettingsContext& context_;
    HWND list_;
    HIMAGELIST swatches_; // the list's
    int swatchSize_;
};

} // namespace n_ombrix
