#pragma once
// What the rows of both lists draw alike: the shield that slides in as a row is slid towards a launch with
// administrator rights.

#include "ui/item_row_geometry.h"

#include <windows.h>

namespace n_ombrix {

class t_IconStore;
class t_WidgetResources;

inline RECT ToRect(const t_Rect& rect) noexcept { return {rect.left, rect.top, rect.right, rect.bottom}; }

// The system's shield at the store's large or small icon size, as an image of the store; null when there is none.
HBITMAP LoadElevationImage(t_IconStore& store, bool large);

// The shield at the row's right, moved in from the edge by the slide (the whole slide range once elevated) and as
// opaque as the slide is far. Nothing until the slide passes the icon's inset.
void PaintElevationImage(HDC dc, HDC imageDc, HBITMAP image, const t_RowMetrics& metrics, const t_Rect& row,
                         std::int32_t slide, bool elevated) noexcept;

// What a list without rows says instead, centred in the pane.
void PaintEmptyListText(HDC dc, const t_WidgetResources& resources, unsigned stringId, std::int32_t width,
                        std::int32_t height) noexcept;

} // namespace n_ombrix
