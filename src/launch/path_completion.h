#pragma once
// Completing a path in the command box (Ctrl+Space) from the names in the file system.

#include "launch/command_line.h"
#include "launch/executor.h"

#include <optional>
#include <string>

namespace n_ombrix {

// Completes the name part of the text's last token to the longest prefix that all names beginning with it share
// (ignoring case; the letters are those of the first name found). A relative token is looked up in the executor's
// working folder. Nothing when the text stays as it was, including when the names share nothing: "." and ".." are
// names too, so a token ending in a separator completes nothing in a folder that has them.
std::optional<t_PathCompletion> CompletePath(const t_Executor& executor, std::wstring& text);

} // namespace n_ombrix
