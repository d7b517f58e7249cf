#pragma once
// The one way launches reach the shell, shared by the executors and the catalogue's items.

#include <string>

namespace n_ombrix {

// Expands environment references in place when the expansion, with its terminating NUL, fits 260 characters;
// otherwise (or if expansion fails) the text stays as it was.
void ExpandEnvironment(std::wstring& text);

// ShellExecuteExW with the verb "runas" when elevated, else "open". True if the shell accepted the request; nothing
// is shown on failure, the caller decides.
bool ExecuteThroughShell(const std::wstring& file, const std::wstring& parameters, const std::wstring& folder,
                         bool elevated);

// Opens a document (such as the help file) with its default verb.
void OpenWithShell(const std::wstring& path);

} // namespace n_ombrix
