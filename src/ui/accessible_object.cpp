#include "ui/accessible_object.h"

namespace n_ombrix {

t_AccessibleObject::~t_AccessibleObject() {
    if (!object_) return;
    object_->Disconnect();
    CoDisconnectObject(object_, 0);
    object_->Release();
}

LRESULT t_AccessibleObject::Answer(WPARAM wParam) {
    if (!object_) object_ = new t_ListAccessible(owner_);
    return LresultFromObject(IID_IAccessible, wParam, object_);
}

} // namespace n_ombrix
