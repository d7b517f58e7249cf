#pragma once
// The rules by which the settings window's edits change the configuration copy, apart from any window.
// Platform-neutral.

#include "launch/launch_item.h"

#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix {

// A list entry (a folder or a filter) whose label edit ended: its new text, or nothing when the entry goes. A
// cancelled edit (no text) keeps the entry as it was unless it is still empty; an edit to an empty text removes it.
// Filters are stored in upper case.
std::optional<std::wstring> EntryAfterLabelEdit(std::wstring_view entry, const wchar_t* editedText, bool upperCase);

// An executor without a short caption or a program cannot run and is not kept.
bool IsKeptExecutor(const t_LaunchItem& executor) noexcept;

// After a changed edit: an empty command line template puts the typed text alone on the command line.
void FillEmptyTemplate(t_LaunchItem& executor);

} // namespace n_ombrix
