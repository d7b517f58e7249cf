#pragma once
// A pane's accessible object: made when a client first asks for it (WM_GETOBJECT), and disconnected when the pane
// goes, so that a client that still holds it gets an answer that the object is gone instead of reaching the pane.

#include "ui/list_accessible.h"

#include <windows.h>

namespace n_ombrix {

class t_AccessibleObject {
public:
    // The owner (the pane) outlives the holder.
    explicit t_AccessibleObject(t_AccessibleListOwner& owner) noexcept : owner_(owner) {}
    t_AccessibleObject(const t_AccessibleObject&) = delete;
    t_AccessibleObject& operator=(const t_AccessibleObject&) = delete;
    ~t_AccessibleObject();

    // The answer to WM_GETOBJECT for the client area.
    LRESULT Answer(WPARAM wParam);
    // Null until a client asked.
    t_ListAccessible* Get() const noexcept { return object_; }

private:
    t_AccessibleListOwner& owner_;
    t_ListAccessible* object_ = nullptr; // one reference held
};

} // namespace n_ombrix
