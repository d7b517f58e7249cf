#include "jumplists/automatic_destinations_file.h"

#include "jumplists/com_byte_stream.h"
#include "jumplists/compound_file_check.h"
#include "jumplists/destinations_file_name.h"
#include "system/error_exception.h"
#include "system/memory_mapped_file.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <versionhelpers.h>

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <optional>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

constexpr DWORD exclusiveReadWrite = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr wchar_t destListName[] = L"DestList";
// Links are a few kilobytes; a stream claiming more than this is not a link we load.
constexpr std::uint64_t largestLink = 16u << 20;
// Deleting the file right after closing it can meet the shell or a scanner holding it for a moment.
constexpr int deleteAttempts = 13;
constexpr DWORD deleteRetryMilliseconds = 200;

std::wstring StreamName(std::uint32_t entryNumber) { return DestinationsFileStem(entryNumber); }

// Jump-list files are tens of kilobytes; one claiming more than this is not one we open.
constexpr std::uint64_t largestFile = 64u << 20;

// Whether structured storage can be trusted with the file: its sector chains end and its directory is a tree, so that
// reading it cannot go round in circles.
bool HasSoundStructure(const std::wstring& path) {
    t_MemoryMappedFile file(path, false);
    if (file.Size() == 0 || file.Size() > largestFile) return false;
    const auto size = static_cast<std::size_t>(file.Size());
    return IsSoundCompoundFile({file.MapView(0, size), size});
}

std::vector<std::byte> ReadWholeStream(IStream* stream) {
    STATSTG status{};
    n_com::ThrowIfFailed(stream->Stat(&status, STATFLAG_NONAME));
    if (status.cbSize.QuadPart > largestLink) n_com::ThrowHResult(failureResult);
    std::vector<std::byte> bytes(static_cast<std::size_t>(status.cbSize.QuadPart));
    t_ComByteStream(stream).ReadAt(0, bytes);
    return bytes;
}

// A link as stored in the file: loaded from a copy of its stream's bytes, its properties read from the same bytes
// where the platform's property store does not answer. recordPath keys and names a link that gives neither.
t_ShellDestination LoadDestination(IStorage* storage, IClassFactory* linkFactory, std::uint32_t entryNumber,
                                   std::wstring_view recordPath) {
    t_ComPtr<IStream> stream;
    n_com::ThrowIfFailed(storage->OpenStream(StreamName(entryNumber).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                             0, stream.Put()));
    const std::vector<std::byte> bytes = ReadWholeStream(stream.Get());
    const t_ComPtr<IStream> copy(
        SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    if (!copy) n_com::ThrowHResult(E_OUTOFMEMORY);
    t_ComPtr<IPersistStream> link;
    n_com::ThrowIfFailed(linkFactory->CreateInstance(nullptr, IID_PPV_ARGS(link.Put())));
    n_com::ThrowIfFailed(link->Load(copy.Get()));
    return t_ShellDestination::Create(link.Get(), false, bytes, recordPath);
}

// Whether a failure to load an entry's link says that the link's data is missing or malformed. Anything else
// (memory, access, sharing, a class this machine lacks) lies in this machine, not in the file.
bool MeansBrokenLink(HRESULT result) {
    switch (result) {
    case STG_E_FILENOTFOUND:
    case STG_E_READFAULT:
    case STG_E_INVALIDHEADER:
    case STG_E_DOCFILECORRUPT:
    case E_FAIL:
    case E_UNEXPECTED:
    case E_INVALIDARG:
    case HRESULT_FROM_WIN32(ERROR_INVALID_DATA):
    case HRESULT_FROM_WIN32(ERROR_HANDLE_EOF):
    case HRESULT_FROM_WIN32(ERROR_BAD_FORMAT):
        return true;
    default:
        return false;
    }
}

// The version the shell of this system writes.
std::uint32_t NewDestListVersion() { return IsWindows10OrGreater() ? 3 : 1; }

std::uint64_t CurrentFileTime() noexcept {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

// A name made of hexadecimal digits only, as the entry streams are named; nothing when it is not one or does not
// fit 32 bits.
std::optional<std::uint32_t> EntryNumberOfName(const wchar_t* name) {
    if (!name || !*name) return std::nullopt;
    // ASCII digits only: iswxdigit may accept other digits, which wcstoul would then stop at.
    for (const wchar_t* character = name; *character; ++character)
        if (*character > 0x7F || !std::iswxdigit(*character)) return std::nullopt;
    errno = 0;
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(name, &end, 16);
    if (errno == ERANGE || *end != L'\0' || value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// What an entry's stream holds: a shell link, as the file's reader loads every entry. A shell item (pinned from an
// application's category) is saved as a link to it; saved as an item it would not load, and the pin would be lost
// at the next open.
void SaveAsLink(const t_ShellDestination& destination, IStream* stream) {
    if (IShellItem* item = destination.Item()) {
        n_com::t_IdList idList;
        n_com::ThrowIfFailed(SHGetIDListFromObject(item, idList.Put()));
        t_ComPtr<IShellLinkW> link;
        n_com::ThrowIfFailed(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
        n_com::ThrowIfFailed(link->SetIDList(idList.Get()));
        n_com::ThrowIfFailed(link.Query<IPersistStream>()->Save(stream, TRUE));
        return;
    }
    // The destination's object stays dirty: saving it here is not the user's save.
    n_com::ThrowIfFailed(destination.GetPersistStream()->Save(stream, FALSE));
}

// In direct mode the storage writes through its own buffers; committing flushes them, so that the shell's file is
// whole on disk after each edit. A failure changes nothing that was written.
void Flush(IStorage* storage) noexcept { storage->Commit(STGC_DEFAULT); }

} // namespace

// The entry streams of the open storage, as the DestList code asks for them while opening. The repair check and
// the loading after it ask for the same links; each is loaded once (the repair changes no entry stream), and a
// link that did not load is not tried again in the same open.
class t_AutomaticDestinationsFile::t_StorageLinks final : public t_DestListLinks {
public:
    explicit t_StorageLinks(IStorage* storage) : storage_(storage) {
        // Asking for the class once spares looking it up in the registry for every link.
        n_com::ThrowIfFailed(
            CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(linkFactory_.Put())));
    }

    t_LinkState CheckLink(std::uint32_t entryNumber, std::wstring_view recordPath) override {
        return Loaded(entryNumber, recordPath) ? t_LinkState::loads : states_.at(entryNumber);
    }

    std::optional<std::uint64_t> LoadLink(std::uint32_t entryNumber, std::wstring_view recordPath) override {
        const t_DestListEntry* entry = Loaded(entryNumber, recordPath);
        if (entry) return entry->destination.IdentityKey();
        if (states_.at(entryNumber) == t_LinkState::broken) n_com::ThrowHResult(failureResult);
        return std::nullopt;
    }

    // The entries whose links loaded; those the file keeps are among them.
    std::map<std::uint32_t, t_DestListEntry> TakeLoaded() noexcept { return std::move(loaded_); }

private:
    // The entry, loaded on first use; null when its link does not load (states_ says why).
    const t_DestListEntry* Loaded(std::uint32_t entryNumber, std::wstring_view recordPath) {
        if (const auto found = loaded_.find(entryNumber); found != loaded_.end()) return &found->second;
        if (states_.contains(entryNumber)) return nullptr;
        try {
            t_ShellDestination destination = LoadDestination(storage_, linkFactory_.Get(), entryNumber, recordPath);
            return &loaded_.emplace(entryNumber, t_DestListEntry{entryNumber, std::move(destination)}).first->second;
        } catch (const n_zql::n_system::n_windows::t_ErrorException& error) {
            states_[entryNumber] = MeansBrokenLink(error.Result()) ? t_LinkState::broken : t_LinkState::unavailable;
        } catch (...) {
            states_[entryNumber] = t_LinkState::unavailable;
        }
        return nullptr;
    }

    IStorage* storage_; // not owned
    t_ComPtr<IClassFactory> linkFactory_;
    std::map<std::uint32_t, t_DestListEntry> loaded_;
    std::map<std::uint32_t, t_LinkState> states_; // of the links that did not load
};

void t_AutomaticDestinationsFile::Open(const std::wstring& folder, const std::wstring& stem) {
    Close();
    path_ = folder + stem + std::wstring(automaticDestinationsSuffix);
    try {
        if (!HasSoundStructure(path_)) n_com::ThrowHResult(STG_E_DOCFILECORRUPT);
        n_com::ThrowIfFailed(StgOpenStorageEx(path_.c_str(), exclusiveReadWrite, STGFMT_STORAGE, 0, nullptr, nullptr,
                                              IID_PPV_ARGS(storage_.Put())));
        n_com::ThrowIfFailed(storage_->OpenStream(destListName, nullptr, exclusiveReadWrite, 0, destListStream_.Put()));
        t_ComByteStream stream(destListStream_.Get());
        if (stream.Size() == 0) {
            // The shell leaves an empty DestList for an application whose entries are all gone.
            destList_.StartEmpty(NewDestListVersion());
            return;
        }
        t_StorageLinks links(storage_.Get());
        RemoveOrphans(destList_.Repair(stream, links));
        destList_.Load(stream, links);
        entries_ = links.TakeLoaded();
        // Links that loaded but whose records the repair dropped are not entries.
        std::erase_if(entries_, [&](const auto& entry) { return !destList_.FindByNumber(entry.first); });
    } catch (...) {
        // Damaged, held by another, or out of memory: the jump list is optional, so the file is simply empty.
        Close();
    }
}

void t_AutomaticDestinationsFile::Close() noexcept {
    entries_.clear();
    destList_.Clear();
    destListStream_ = {};
    storage_ = {};
}

void t_AutomaticDestinationsFile::RemoveOrphans(const std::set<std::uint32_t>& retained) noexcept {
    // Names are collected first: the enumeration is not to be changed under it.
    std::vector<std::wstring> orphans;
    t_ComPtr<IEnumSTATSTG> elements;
    if (FAILED(storage_->EnumElements(0, nullptr, 0, elements.Put())) || !elements) return;
    for (;;) {
        STATSTG element{};
        if (elements->Next(1, &element, nullptr) != S_OK) break;
        n_com::t_CoTaskMemString name;
        *name.Put() = element.pwcsName;
        const std::optional<std::uint32_t> number = EntryNumberOfName(name.Get());
        if (number && !retained.contains(*number)) orphans.emplace_back(name.Get());
    }
    // An element that cannot be destroyed stays; it harms nothing.
    for (const std::wstring& orphan : orphans) storage_->DestroyElement(orphan.c_str());
}

std::vector<const t_DestListEntry*> t_AutomaticDestinationsFile::Entries() const {
    std::vector<const t_DestListEntry*> entries;
    entries.reserve(destList_.Records().size());
    // A record whose entry was not completed (an edit that failed part way) is not shown.
    for (const t_DestListRecord& record : destList_.Records())
        if (const auto found = entries_.find(static_cast<std::uint32_t>(record.EntryNumber())); found != entries_.end())
            entries.push_back(&found->second);
    return entries;
}

std::vector<const t_DestListEntry*> t_AutomaticDestinationsFile::PinnedEntries() const {
    std::vector<const t_DestListEntry*> entries;
    for (const std::uint32_t number : destList_.PinnedEntryNumbers())
        if (const auto found = entries_.find(number); found != entries_.end()) entries.push_back(&found->second);
    return entries;
}

const t_DestListEntry* t_AutomaticDestinationsFile::Find(std::uint64_t identityKey) const noexcept {
    const t_DestListRecord* record = destList_.FindByKey(identityKey);
    if (!record) return nullptr;
    const auto found = entries_.find(static_cast<std::uint32_t>(record->EntryNumber()));
    return found == entries_.end() ? nullptr : &found->second;
}

const t_DestListEntry& t_AutomaticDestinationsFile::FindOrAdd(const t_ShellDestination& destination) {
    if (const t_DestListEntry* entry = Find(destination.IdentityKey())) return *entry;
    if (!storage_) {
        Close();
        n_com::ThrowIfFailed(StgCreateStorageEx(path_.c_str(), exclusiveReadWrite | STGM_FAILIFTHERE, STGFMT_STORAGE, 0,
                                                nullptr, nullptr, IID_PPV_ARGS(storage_.Put())));
        try {
            n_com::ThrowIfFailed(storage_->CreateStream(destListName, exclusiveReadWrite | STGM_FAILIFTHERE, 0, 0,
                                                        destListStream_.Put()));
            t_ComByteStream stream(destListStream_.Get());
            destList_.Create(stream, NewDestListVersion());
        } catch (...) {
            // An empty compound file without its DestList would refuse every later open and creation.
            Close();
            DeleteFileW(path_.c_str());
            throw;
        }
    }
    t_ComByteStream stream(destListStream_.Get());
    const std::uint32_t number =
        destList_.AddFront(stream, destination.ParsingText(), CurrentFileTime(), destination.IdentityKey());
    t_ComPtr<IStream> linkStream;
    n_com::ThrowIfFailed(
        storage_->CreateStream(StreamName(number).c_str(), STGM_CREATE | exclusiveReadWrite, 0, 0, linkStream.Put()));
    SaveAsLink(destination, linkStream.Get());
    Flush(storage_.Get());
    return entries_.insert_or_assign(number, t_DestListEntry{number, destination.Copy()}).first->second;
}

void t_AutomaticDestinationsFile::Pin(const t_ShellDestination& destination) {
    // The file keeps no more pins than entries; a pin beyond them would be dropped at the next open.
    if (destList_.PinnedEntryNumbers().size() >= destListKeptEntries) return;
    const t_DestListEntry& entry = FindOrAdd(destination);
    t_ComByteStream stream(destListStream_.Get());
    destList_.Pin(stream, entry.entryNumber);
    Flush(storage_.Get());
}

void t_AutomaticDestinationsFile::Unpin(const t_DestListEntry& entry) {
    if (!destListStream_) return;
    t_ComByteStream stream(destListStream_.Get());
    destList_.Unpin(stream, entry.entryNumber);
    Flush(storage_.Get());
}

void t_AutomaticDestinationsFile::Remove(const t_DestListEntry& entry) {
    if (!storage_) return;
    if (destList_.Records().size() == 1) {
        RemoveAll();
        return;
    }
    const std::uint32_t number = entry.entryNumber;
    t_ComByteStream stream(destListStream_.Get());
    destList_.Remove(stream, number);
    entries_.erase(number);
    n_com::ThrowIfFailed(storage_->DestroyElement(StreamName(number).c_str()));
    Flush(storage_.Get());
}

void t_AutomaticDestinationsFile::RemoveAll() {
    Close();
    DeleteWithRetries();
}

void t_AutomaticDestinationsFile::RemoveByLink(const t_ShellDestination& destination) {
    if (const t_DestListEntry* entry = Find(destination.IdentityKey())) Remove(*entry);
}

void t_AutomaticDestinationsFile::DeleteWithRetries() noexcept {
    for (int attempt = 1; attempt <= deleteAttempts; ++attempt) {
        if (DeleteFileW(path_.c_str())) return;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
        if (attempt < deleteAttempts) Sleep(deleteRetryMilliseconds);
    }
    // The file stays; the next open finds it and reads whatever it holds.
}

} // namespace n_ombrix
