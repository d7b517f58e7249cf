#pragma once
// The panes' drawing steps over the shared resources: 1-px lines, the two highlight fills, text, and bitmaps with
// per-pixel alpha. Painting calls do not check their results: a step that fails leaves its pixels as they were.

#include "ui/color_scheme.h"

#include <windows.h>

#include <string_view>

namespace n_ombrix {

class t_WidgetResources;

// A 1-px horizontal line from fromX to toX (not included) at y, or a vertical one from fromY to toY at x.
void FillHorizontalLine(HDC dc, HBRUSH brush, int fromX, int toX, int y) noexcept;
void FillVerticalLine(HDC dc, HBRUSH brush, int x, int fromY, int toY) noexcept;

// A highlighted entry or button: the state's area, outlined by its frame.
void FillHighlight(HDC dc, const RECT& rect, const t_WidgetResources& resources, t_HighlightState state) noexcept;
// A highlighted entry with a column of its own (the jump-list glyph): the outer rectangle in "area", the inner one
// highlighted, and the outer one outlined by the state's frame.
void FillSplitHighlight(HDC dc, const RECT& outer, const RECT& inner, const t_WidgetResources& resources,
                        t_HighlightState state) noexcept;

// Text in the font and colour, placed by DrawTextW's format; the DC's state is put back afterwards.
void DrawTextIn(HDC dc, HFONT font, t_Color color, std::wstring_view text, RECT rect, UINT format) noexcept;

// A 32-bpp bitmap with per-pixel (premultiplied) alpha, blended at x, y with a constant opacity (255: as it is). The
// bitmap is selected into sourceDc when one is given (a memory DC the caller keeps for many bitmaps), else into a
// memory DC made for the call.
void BlendBitmap(HDC dc, HBITMAP bitmap, int x, int y, BYTE opacity, HDC sourceDc = nullptr) noexcept;

// The same, stretched or shrunk to the target rectangle (an image of another size than the row's).
void BlendBitmapTo(HDC dc, HBITMAP bitmap, const RECT& target, BYTE opacity, HDC sourceDc = nullptr) noexcept;

// Shows a submenu of the context menus at a screen point and waits for the choice: the command, or 0 for none.
UINT PopupMenu(HMENU menus, int submenu, int x, int y, HWND owner) noexcept;

} // namespace n_ombrix
