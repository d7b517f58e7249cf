#pragma once
// The jump list an application declared itself, as the shell keeps it: its own categories of documents, the
// place of the shell's known categories (Recent, Frequent) and its tasks, in folder + hash text +
// ".customDestinations-ms". The file is held open with exclusive sharing while this object lives; items are removed
// from it in place.

#include "jumplists/custom_destinations.h"
#include "jumplists/shell_destination.h"
#include "system/com_ptr.h"

#include <objidl.h>

#include <string>
#include <vector>

namespace n_ombrix {

struct t_CustomCategory {
    t_CustomCategoryKind kind = t_CustomCategoryKind::recent;
    bool known = false;
    std::wstring rawName;
    // The raw name loaded as an indirect string (a resource reference, say), or the raw name itself.
    std::wstring displayName;
    // Items of custom categories keep their parsing text: pinning one writes it into the automatic file.
    std::vector<t_ShellDestination> items;
};

class t_CustomDestinationsFile {
public:
    t_CustomDestinationsFile() = default;
    t_CustomDestinationsFile(const t_CustomDestinationsFile&) = delete;
    t_CustomDestinationsFile& operator=(const t_CustomDestinationsFile&) = delete;

    // Reads folder + stem + ".customDestinations-ms" (the folder ends in a backslash). Never fails: a missing,
    // locked or damaged file leaves the object without categories.
    void Open(const std::wstring& folder, const std::wstring& stem);
    void Close() noexcept;
    bool IsOpen() const noexcept { return static_cast<bool>(stream_); }

    const std::vector<t_CustomCategory>& Categories() const noexcept { return categories_; }
    // Removes the category's items [first, last) from the file and from the object. Throws the COM error
    // exception on stream errors.
    void RemoveItems(std::size_t category, std::size_t first, std::size_t last);

private:
    class t_StreamItemLoader;

    n_zql::n_system::n_windows::n_com::t_ComPtr<IStream> stream_;
    t_CustomDestinations layout_;
    std::vector<t_CustomCategory> categories_;
};

} // namespace n_ombrix
