#pragma once
// A window as an object: every class of ours has the one dispatching procedure, which finds the object through
// GWLP_USERDATA and hands it the message. Exceptions never unwind through Windows' frames: the procedure catches
// them and hands them to the message loop, which ends and rethrows them on its own frame.
//
// A pane is a t_Window with a handler (a switch that decodes each message and calls one private handler), a paint
// (t_PaintBuffer), anchors for the layout, and the helpers below for borders, repaints, pointer tracking and pans.
// Everything here runs on the user-interface thread.

#include "ui/anchored_layout.h"

#include <windows.h>

#include <optional>

namespace n_ombrix {

class t_DeferredPositions;

struct t_CreationParameters {
    DWORD extendedStyle = 0;
    DWORD style = 0;
    const wchar_t* className = nullptr; // name or atom
    int controlId = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The sides of a pane that carry a 1-px border in its non-client area.
namespace n_border {
inline constexpr unsigned none = 0, left = 1, top = 2, right = 4, bottom = 8, all = 15;
} // namespace n_border

class t_Window {
public:
    t_Window() noexcept = default;
    t_Window(const t_Window&) = delete;
    t_Window& operator=(const t_Window&) = delete;
    virtual ~t_Window();

    // Null until created, and again once the window is destroyed (also when Windows destroys it with its parent).
    HWND Handle() const noexcept { return window_; }
    // The window's rectangle in its parent's client coordinates, as last laid out; other panes' anchors refer to
    // its edges.
    const t_Rect& Rectangle() const noexcept { return rectangle_; }
    const RECT& ClientRectangle() const noexcept { return clientRectangle_; }
    // Whether the pointer of a mouse message with screen coordinates (the wheel's) is over this window: the wheel
    // goes to the focus, while the user turns it over the pane that should move.
    bool PointerOver(LPARAM screenPoint) const noexcept;

    void SetAnchors(const t_Anchors& anchors) noexcept { anchors_ = anchors; }
    // Moves the window at once and remembers the rectangle: a pane's first place, whose lengths anchors may keep.
    void MoveTo(const t_Rect& rect) noexcept;
    // Places the window by its anchors and adds the move to the batch, unless it moves nothing.
    void Layout(t_DeferredPositions& batch, UINT flags, bool forceMove = false);
    // After the batch: the client rectangle as it now is.
    void ReadClientRectangle() noexcept;

    static LRESULT CALLBACK DispatchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

protected:
    // The message handler. Only the dispatching procedure calls it, inside the exception barrier; what it does not
    // take goes to DefaultProcedure.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // A subclassed control's own procedure, else DefWindowProcW.
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;

    // Creates the window (empty title, the program's instance, the control id as menu handle) and attaches this
    // object to it; the frame is then calculated again, so that a pane's borders are already off its client area.
    // A failure throws the Windows error exception.
    void CreateWindowFor(const t_CreationParameters& parameters, HWND parent);
    // Attaches this object to an existing control: the object takes the control's messages first, the control's own
    // procedure the rest, and gets its procedure back at WM_DESTROY.
    void Subclass(HWND control) noexcept;
    // Detaches the object first, so that the messages of the destruction go to DefWindowProcW.
    void DestroyWindowFor() noexcept;

    // Repaints the client area at once, without erasing it; only when the pane's look changed.
    void RepaintIf(bool changed) const noexcept;

    // Pointer tracking through TrackMouseEvent.
    void TrackLeave() const noexcept;
    void TrackHoverAndLeave(DWORD hoverTime) const noexcept;
    void CancelHoverAndLeave() const noexcept;
    void CancelHover() const noexcept;

    // WM_NCCALCSIZE and WM_NCPAINT of a pane with a 1-px border on the given sides (n_border).
    LRESULT CalculateBorderedClient(WPARAM wParam, LPARAM lParam, unsigned sides) noexcept;
    void PaintBorders(HBRUSH brush, unsigned sides) const noexcept;

    // WM_GESTURENOTIFY of a pane that takes pans: the pans it wants and blocks, then the default handling.
    LRESULT ConfigurePans(DWORD want, DWORD block, WPARAM wParam, LPARAM lParam) const noexcept;
    // A touch pan as the pointer meets it: where the finger is, in client coordinates, and whether this is the pan's
    // first or last message (inertia's moves come between).
    struct t_Pan {
        POINT point{};
        bool begins = false;
        bool ends = false;
    };
    // WM_GESTURE: the pan it carries, its gesture handle closed; nothing for another gesture, which the caller gives
    // to the default handling.
    std::optional<t_Pan> ReadPan(LPARAM lParam) const noexcept;

private:
    void TrackPointer(DWORD flags, DWORD hoverTime) const noexcept;

    HWND window_ = nullptr;               // owned: destroyed by DestroyWindowFor or the destructor
    WNDPROC previousProcedure_ = nullptr; // a subclassed control's own procedure
    t_Rect rectangle_;
    RECT clientRectangle_{};
    t_Anchors anchors_;
};

} // namespace n_ombrix
