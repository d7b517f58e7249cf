#pragma once
// Our own files as whole texts: UTF-16LE with a byte-order mark, no terminating NUL.

#include <string>
#include <string_view>

namespace n_zql::n_system::n_windows {

// The text of a file (see t_MemoryMappedFile::ReadText for what fails).
std::wstring ReadTextFile(const std::wstring& path);

// Writes the text to a sibling temporary file, flushes it and moves it over the target in one step, so that a crash
// or a full disk leaves either the old file or the new one, never a damaged one. An empty text gives an empty file.
// A failure throws and leaves the target as it was.
void WriteTextFileAtomically(const std::wstring& path, std::wstring_view text);

// Creates the folder (whose parent exists) unless it is there. Throws the Windows error exception otherwise.
void CreateFolderIfMissing(const std::wstring& folder);

} // namespace n_zql::n_system::n_windows
