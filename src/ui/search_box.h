#pragma once
// The popup's search box: an Edit control, subclassed. Its text is centred vertically by a margin outside its client
// area, closed by frame lines at the top and bottom; the keys it does not keep for editing go to its owner first.

#include "ui/window.h"

#include <string>
#include <string_view>

namespace n_ombrix {

class t_WidgetResources;

class t_SearchBoxOwner {
public:
    // A key pressed or released in the box (WM_KEYDOWN, WM_KEYUP and their WM_SYS forms); true when the owner took
    // it (the box then does nothing with it).
    virtual bool SearchBoxKey(UINT message, WPARAM key) = 0;

protected:
    ~t_SearchBoxOwner() = default;
};

class t_SearchBox final : public t_Window {
public:
    // The resources and the owner outlive the box.
    t_SearchBox(const t_WidgetResources& resources, HWND parent, int controlId, t_SearchBoxOwner& owner);

    std::wstring Text() const;
    // Puts text into the box without the change reaching the owner as typing, the caret at its end.
    void SetTextQuietly(std::wstring_view text);
    // True while SetTextQuietly runs: EN_CHANGE is then not the user's typing.
    bool Quiet() const noexcept { return quiet_; }
    // Whether the last character typed may be completed from the history: not after a Backspace.
    bool AutomaticCompletion() const noexcept { return automaticCompletion_; }
    // The caret at the end with nothing selected.
    bool CaretAtEnd() const noexcept;
    // Selects from one position to another (the caret at the second).
    void Select(std::size_t from, std::size_t to) const noexcept;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintMargins() const;

    const t_WidgetResources& resources_;
    t_SearchBoxOwner& owner_;
    std::int32_t margin_; // above and below the client area
    bool quiet_ = false;
    bool automaticCompletion_ = true;
};

} // namespace n_ombrix
