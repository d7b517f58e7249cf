#pragma once
// What the rows of both lists draw alike: the shield that slides in as a row is slid towards a launch with
// administrator rights.

#include "ui/item_row_geometry.h"
#include "ui/list_model.h"
#include "ui/row_list.h"

#include <windows.h>

#include <functional>

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

// A list's update: "area" first, then what a list without rows says instead (centred), or each row on screen that
// meets the update rectangle, through paintRow with a memory DC for the row's images.
void PaintList(HDC dc, const RECT& update, const t_WidgetResources& resources, const t_RowList& rows,
               t_EmptyListText empty, const std::function<void(HDC imageDc, const t_VisibleRow& row)>& paintRow);

} // namespace n_ombrix
