#pragma once
// The shell's custom destinations file: the jump list an application declared itself, as categories back to back
// after a 12-byte header. Each category is a custom one (a name and items), a known one (Recent or Frequent, no
// items) or the tasks (items), and ends in a fixed footer. An item is a class id followed by the persisted state
// of an object of that class; only the object knows where its state ends, so items are loaded as they are read,
// through t_CustomItemLoader. This is the byte side, platform-neutral; the Windows layer owns the file's stream
// and the objects.
//
// The file is untrusted: every length and count is checked against the stream's size before it is used, items are
// read one at a time, and a file that breaks the format fails with E_FAIL (the COM error exception). Every byte
// not interpreted here (the header's third field, the items' states, anything after the last category) is kept as
// it was. Used on the user-interface thread only.

#include "jumplists/byte_stream.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace n_ombrix {

enum class t_CustomCategoryKind { recent = 0, frequent = 1, custom = 2, tasks = 3 };

// Byte offsets in the stream: start is where the item's 16-byte class id lies, end is after its state.
struct t_CustomItemSpan {
    std::uint64_t start = 0, end = 0;
};

struct t_CustomCategoryLayout {
    t_CustomCategoryKind kind = t_CustomCategoryKind::recent;
    bool known = false;                  // a known category (Recent or Frequent)
    std::wstring rawName;                // custom categories only, as stored: one wchar_t per UTF-16 unit
    std::uint64_t start = 0, end = 0;    // from the type field to after the footer
    std::uint64_t countOffset = 0;       // where the item count lies; 0 for known categories, which have none
    std::vector<t_CustomItemSpan> items; // file order, back to back from countOffset + 4
};

// Loads the object stored after a class id. The Windows layer creates the class and loads it through
// IPersistStream from the file's stream at that position.
class t_CustomItemLoader {
public:
    virtual ~t_CustomItemLoader() = default;
    // stateOffset: the first byte after the class id. Returns where the object's state ends (the stream position
    // its Load left). Throws any n_zql::n_system::n_windows::t_ErrorException when it does not load.
    virtual std::uint64_t LoadItem(std::uint64_t stateOffset, std::span<const std::byte, 16> classId,
                                   t_CustomCategoryKind kind) = 0;
};

class t_CustomDestinations {
public:
    // Reads the header (version 2, at most 16 categories) and every category with its items, loading each item
    // through the loader. Throws E_FAIL on any violation, including an item that does not load and a loader's end
    // that lies before its state or past the stream, leaving the object empty (Clear). Writes nothing.
    void Read(t_ByteStream& stream, t_CustomItemLoader& loader);
    void Clear() noexcept;
    // Removes items [first, last) of the category from the file and from the object: the category's new item
    // count and everything after the run up to the end of the stream (later items and categories, and whatever
    // follows the last category) go back over the run in one write, then the stream is cut by the run's length.
    // The header is not touched. An empty run does nothing; a category or run out of range is E_INVALIDARG.
    //
    // Failures: when the write fails, the object is as it was (the stream too, unless the write was cut short
    // part way, which no order of writes on a plain stream can avoid). Once the write succeeded the object
    // follows the file; a failing cut then only leaves stale bytes after the last category, which every reader
    // skips and the next removal's cut drops.
    void RemoveItems(t_ByteStream& stream, std::size_t category, std::size_t first, std::size_t last);

    const std::vector<t_CustomCategoryLayout>& Categories() const noexcept { return categories; }

private:
    std::vector<t_CustomCategoryLayout> categories;
    // Where the file's bytes end: the stream's size when read, less what was removed since. Kept apart from the
    // stream's own size so that stale bytes left by a failed cut are never moved back into the file.
    std::uint64_t fileEnd = 0;
};

} // namespace n_ombrix
