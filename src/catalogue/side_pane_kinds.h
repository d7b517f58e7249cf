#pragma once
// What the side pane knows of a row, whether it comes from an application's jump list or from the places list: its
// section (the order in which rows give way when the pane is short: recent first, tasks last), whether it may be
// pinned, and where the command glyphs stand in the icon store. Platform-neutral.

#include "resource_ids.h"

#include <cstdint>

namespace n_ombrix {

enum class t_PaneSection : std::uint8_t { recent = 0, custom = 1, pinned = 2, tasks = 3 };
enum class t_PinKind : std::uint8_t { pinnable = 0, pinned = 1, notPinnable = 2 };

// The icon store's slots: its four default images first, then the seven command glyphs in their bitmaps' order.
inline constexpr int firstCommandGlyphSlot = 4;
constexpr int CommandGlyphSlot(int glyphBitmap) noexcept {
    return firstCommandGlyphSlot + (glyphBitmap - IDB_GLYPH_FIRST) / IDB_GLYPH_SCALES;
}

} // namespace n_ombrix
