#pragma once
// Putting typed text into an executor's command-line template. Platform-neutral.

#include <string>
#include <string_view>

namespace n_ombrix {

// The placeholder for the typed text; exact and case-sensitive.
inline constexpr std::wstring_view typedCommandPlaceholder = L"%typed_command%";

// Replaces every placeholder of the template by the typed text, as typed (no quoting added). Text that came from the
// typed command is never searched again, so a placeholder typed by the user stays as it is.
std::wstring ExpandCommandTemplate(std::wstring_view commandLineTemplate, std::wstring_view typedText);

} // namespace n_ombrix
