#pragma once
// A fresh, empty folder of its own under the temporary folder, removed with everything in it when the test ends.

#include <string>
#include <string_view>

namespace n_ombrix_test {

class t_ScratchFolder {
public:
    explicit t_ScratchFolder(std::wstring_view name);
    t_ScratchFolder(const t_ScratchFolder&) = delete;
    t_ScratchFolder& operator=(const t_ScratchFolder&) = delete;
    ~t_ScratchFolder();

    // The folder's path, ending in a backslash.
    const std::wstring& Path() const noexcept { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + std::wstring(name); }

private:
    std::wstring path_;
};

// Removes a file or a folder tree; missing is fine.
void RemoveTree(const std::wstring& path);

// Writes the bytes as a whole file, replacing it.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
std::string ReadFileBytes(const std::wstring& path);

// Makes link a symbolic link to the folder target; false when this machine cannot.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);

} // namespace n_ombrix_test
