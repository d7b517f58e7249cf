#pragma once
// The shell's automatic jump-list file of one application: the documents it used recently and the ones the user
// pinned. An OLE compound file holding the "DestList" stream (see t_DestList) and one shell link per entry, in a
// stream named by the entry's number in hexadecimal. The file is the user's and the shell keeps writing it: it is
// held open with exclusive sharing while this object lives, repaired and compacted when opened, and edited in
// place; every byte not interpreted here is kept.

#include "jumplists/dest_list.h"
#include "jumplists/shell_destination.h"
#include "system/com_ptr.h"

#include <objidl.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace n_ombrix {

// One entry of the file: its number (the name of its link's stream) and the document.
struct t_DestListEntry {
    std::uint32_t entryNumber = 0;
    t_ShellDestination destination;
};

class t_AutomaticDestinationsFile {
public:
    t_AutomaticDestinationsFile() = default;
    t_AutomaticDestinationsFile(const t_AutomaticDestinationsFile&) = delete;
    t_AutomaticDestinationsFile& operator=(const t_AutomaticDestinationsFile&) = delete;

    // Opens, repairs and loads folder + stem + ".automaticDestinations-ms" (the folder ends in a backslash).
    // Never fails: a missing, locked or damaged file leaves the object empty, and a later FindOrAdd creates it.
    void Open(const std::wstring& folder, const std::wstring& stem);
    // Releases the file and forgets every entry.
    void Close() noexcept;
    bool IsOpen() const noexcept { return static_cast<bool>(storage_); }
    const std::wstring& Path() const noexcept { return path_; }

    // Entries in file order (most recent first) and the pinned ones in pin order. The pointers stay valid until
    // the entry is removed or the file closed.
    std::vector<const t_DestListEntry*> Entries() const;
    std::vector<const t_DestListEntry*> PinnedEntries() const;
    const t_DestListEntry* Find(std::uint64_t identityKey) const noexcept;

    // The operations below throw the COM error exception on storage errors; the caller decides what survives.
    // The entry whose key equals the destination's, or a new one at the front, creating the file when needed.
    const t_DestListEntry& FindOrAdd(const t_ShellDestination& destination);
    // Finds or adds the destination, then pins it after the pinned entries. Only for entries not pinned yet.
    void Pin(const t_ShellDestination& destination);
    void Unpin(const t_DestListEntry& entry);
    // Removes the entry and its link; removing the last entry deletes the whole file.
    void Remove(const t_DestListEntry& entry);
    // Removes the entry with the destination's key, if there is one.
    void RemoveByLink(const t_ShellDestination& destination);
    // Removes every entry: the file is deleted.
    void RemoveAll();

private:
    class t_StorageLinks;

    void DeleteWithRetries() noexcept;
    void RemoveOrphans(const std::set<std::uint32_t>& retained) noexcept;

    std::wstring path_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IStorage> storage_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IStream> destListStream_;
    t_DestList destList_;
    std::map<std::uint32_t, t_DestListEntry> entries_; // by entry number
};

} // namespace n_ombrix
