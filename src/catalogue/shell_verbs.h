#pragma once
// Opening shell objects the way the shell itself does: the default verb of their context menu, or a named
// application among the recommended handlers of their type. Nothing is shown on failure; the caller decides.

#include <shobjidl.h>

#include <string>

namespace n_ombrix {

// Runs the object's default context-menu command. True if there was one and it ran without error.
bool InvokeDefaultVerb(IUnknown* object);

// Opens the item with the recommended handler of its extension whose name equals applicationName (case ignored);
// without an extension or a name, or when no such handler opens it, the shell opens the item its own way.
bool OpenWithApplication(IShellItem* item, const std::wstring& applicationName);

} // namespace n_ombrix
