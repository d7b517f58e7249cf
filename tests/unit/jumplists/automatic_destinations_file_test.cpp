#include "jumplists/automatic_destinations_file.h"

#include "jumplists/destinations_file_name.h"
#include "jumplists/destinations_files.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/error_exception.h"
#include "system/identity_hash.h"
#include "system/unique_handle.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <set>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

const std::wstring sharedJumpLists = std::wstring(OMBRIX_SHARED_TESTDATA_WINDOWS) + L"\\jumplists\\";

// The files Windows wrote live beside the repository, not in it; a checkout without them skips their tests.
bool SharedJumpListsPresent() { return GetFileAttributesW(sharedJumpLists.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring LinkPath(const t_DestListEntry& entry) {
    wchar_t path[1024] = {};
    if (!entry.destination.Link() || FAILED(entry.destination.Link()->GetPath(path, 1024, nullptr, SLGP_RAWPATH)))
        return {};
    return path;
}

std::vector<std::uint32_t> Numbers(const std::vector<const t_DestListEntry*>& entries) {
    std::vector<std::uint32_t> numbers;
    for (const t_DestListEntry* entry : entries) numbers.push_back(entry->entryNumber);
    return numbers;
}

// The names of the compound file's elements, read on their own after the object let go of the file.
std::set<std::wstring> ElementNames(const std::wstring& path) {
    t_ComPtr<IStorage> storage;
    n_com::ThrowIfFailed(StgOpenStorageEx(path.c_str(), STGM_READ | STGM_SHARE_EXCLUSIVE, STGFMT_STORAGE, 0, nullptr,
                                          nullptr, IID_PPV_ARGS(storage.Put())));
    t_ComPtr<IEnumSTATSTG> elements;
    n_com::ThrowIfFailed(storage->EnumElements(0, nullptr, 0, elements.Put()));
    std::set<std::wstring> names;
    for (STATSTG element{}; elements->Next(1, &element, nullptr) == S_OK; element = {}) {
        names.insert(element.pwcsName);
        CoTaskMemFree(element.pwcsName);
    }
    return names;
}

void WriteStream(const std::wstring& path, const std::wstring& name, std::string_view bytes) {
    t_ComPtr<IStorage> storage;
    n_com::ThrowIfFailed(StgOpenStorageEx(path.c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE, STGFMT_STORAGE, 0,
                                          nullptr, nullptr, IID_PPV_ARGS(storage.Put())));
    t_ComPtr<IStream> stream;
    n_com::ThrowIfFailed(
        storage->CreateStream(name.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.Put()));
    n_com::ThrowIfFailed(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr));
}

class AutomaticDestinationsFile : public testing::Test {
protected:
    // A copy of one of the files Windows wrote; opening repairs in place.
    std::wstring CopyShared(const std::wstring& sharedName, const std::wstring& stem) {
        const std::wstring copy = scratch_ / (stem + std::wstring(automaticDestinationsSuffix));
        EXPECT_TRUE(CopyFileW((sharedJumpLists + sharedName).c_str(), copy.c_str(), FALSE)) << GetLastError();
        return copy;
    }

    // A document of ours and a link to it, as the jump list makes one to pin.
    t_ShellDestination Document(const std::wstring& name) {
        const std::wstring path = scratch_ / name;
        WriteFileBytes(path, "document");
        t_ComPtr<IShellLinkW> link;
        n_com::ThrowIfFailed(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
        n_com::ThrowIfFailed(link->SetPath(path.c_str()));
        return t_ShellDestination::Create(link.Get(), true);
    }

    std::wstring OwnPath() const { return scratch_ / (stem_ + std::wstring(automaticDestinationsSuffix)); }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"automatic destinations"};
    const std::wstring stem_ = L"abc123";
};

} // namespace

TEST_F(AutomaticDestinationsFile, AWindows7FileOpensWithItsEntriesInOrder) {
    if (!SharedJumpListsPresent()) GTEST_SKIP() << "the shared test data is not there";
    const std::wstring copy = CopyShared(L"win7-1b4dd67f29cb1962.automaticDestinations-ms", L"1b4dd67f29cb1962");
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), L"1b4dd67f29cb1962");
    ASSERT_TRUE(file.IsOpen());
    const std::vector<const t_DestListEntry*> entries = file.Entries();
    EXPECT_EQ(Numbers(entries), (std::vector<std::uint32_t>{11, 9, 8, 10, 7, 1, 2, 6, 5, 4, 3}));
    EXPECT_TRUE(file.PinnedEntries().empty());
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(LinkPath(*entries[0]), L"C:\\Users\\nfury\\Pictures\\The SHIELD");
    EXPECT_EQ(LinkPath(*entries[5]), L"C:\\Users\\nfury\\AppData\\Roaming\\Microsoft\\Windows\\Libraries\\"
                                     L"Documents.library-ms");
    // Folders are keyed by their path in upper case and found by that key.
    for (const t_DestListEntry* entry : entries) {
        EXPECT_EQ(entry->destination.IdentityKey(), Crc64OfText(UpperCased(LinkPath(*entry))));
        EXPECT_EQ(file.Find(entry->destination.IdentityKey()), entry);
    }
    // Wine names only the ID lists of folders that exist here: the original machine's Desktop is this one's.
    EXPECT_EQ(entries[8]->destination.DisplayText(), L"Desktop");
    file.Close();
    EXPECT_EQ(ElementNames(copy),
              (std::set<std::wstring>{L"DestList", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"a", L"b"}));
}

TEST_F(AutomaticDestinationsFile, AWindows10FileKeepsItsPinsThroughEdits) {
    if (!SharedJumpListsPresent()) GTEST_SKIP() << "the shared test data is not there";
    const std::wstring copy = CopyShared(L"win10-f01b4d95cf55d32a.automaticDestinations-ms", L"f01b4d95cf55d32a");
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), L"f01b4d95cf55d32a");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(Numbers(file.Entries()), (std::vector<std::uint32_t>{7, 9, 8, 1, 2, 6, 5, 4, 3}));
    ASSERT_EQ(Numbers(file.PinnedEntries()), (std::vector<std::uint32_t>{1, 2, 3, 4}));
    std::vector<std::wstring> pinnedPaths;
    for (const t_DestListEntry* entry : file.PinnedEntries()) pinnedPaths.push_back(LinkPath(*entry));
    EXPECT_EQ(pinnedPaths, (std::vector<std::wstring>{L"C:\\Users\\e\\Desktop", L"C:\\Users\\e\\Downloads",
                                                      L"C:\\Users\\e\\Documents", L"C:\\Users\\e\\Pictures"}));

    // Unpin the second, pin a recent one, remove a recent one and a pinned one; the file must read back the same.
    file.Unpin(*file.PinnedEntries()[1]);
    const t_ShellDestination recent = file.Entries()[1]->destination.Copy(); // entry 9
    file.Pin(recent);
    file.Remove(*file.Entries()[2]);       // entry 8
    file.Remove(*file.PinnedEntries()[1]); // entry 3
    const std::vector<std::uint32_t> order{7, 9, 1, 2, 6, 5, 4};
    const std::vector<std::uint32_t> pins{1, 4, 9};
    EXPECT_EQ(Numbers(file.Entries()), order);
    EXPECT_EQ(Numbers(file.PinnedEntries()), pins);
    file.Close();
    EXPECT_EQ(ElementNames(copy).count(L"8") + ElementNames(copy).count(L"3"), 0u);

    t_AutomaticDestinationsFile reopened;
    reopened.Open(scratch_.Path(), L"f01b4d95cf55d32a");
    ASSERT_TRUE(reopened.IsOpen());
    EXPECT_EQ(Numbers(reopened.Entries()), order);
    EXPECT_EQ(Numbers(reopened.PinnedEntries()), pins);
    EXPECT_EQ(reopened.PinnedEntries()[2]->destination.IdentityKey(), recent.IdentityKey());
}

TEST_F(AutomaticDestinationsFile, ANewFileStartsAtOneAndGoesWithItsLastEntry) {
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), stem_);
    EXPECT_FALSE(file.IsOpen());
    const t_ShellDestination report = Document(L"Report.txt");
    EXPECT_EQ(file.FindOrAdd(report).entryNumber, 1u);
    EXPECT_EQ(&file.FindOrAdd(report), file.Entries().front()); // found, not added twice
    file.Pin(Document(L"Plan.txt"));
    EXPECT_EQ(Numbers(file.Entries()), (std::vector<std::uint32_t>{2, 1}));
    EXPECT_EQ(Numbers(file.PinnedEntries()), (std::vector<std::uint32_t>{2}));
    file.Close();

    // The links were saved into the file and load back with the same keys.
    file.Open(scratch_.Path(), stem_);
    ASSERT_EQ(file.Entries().size(), 2u);
    EXPECT_NE(file.Find(report.IdentityKey()), nullptr);
    EXPECT_EQ(LinkPath(*file.Entries()[1]), scratch_ / L"Report.txt");
    EXPECT_EQ(Numbers(file.PinnedEntries()), (std::vector<std::uint32_t>{2}));

    file.RemoveByLink(report);
    file.RemoveByLink(report); // nothing left with that key: nothing happens
    ASSERT_EQ(file.Entries().size(), 1u);
    file.Remove(*file.Entries()[0]);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(GetFileAttributesW(OwnPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(AutomaticDestinationsFile, OpeningDropsBrokenLinksAndOrphanStreamsButNothingElse) {
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), stem_);
    file.FindOrAdd(Document(L"Kept.txt"));
    file.FindOrAdd(Document(L"Broken.txt"));
    file.Close();
    WriteStream(OwnPath(), L"2", "not a link");
    WriteStream(OwnPath(), L"1f", "an orphan");
    WriteStream(OwnPath(), L"notes", "someone else's");

    file.Open(scratch_.Path(), stem_);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(Numbers(file.Entries()), (std::vector<std::uint32_t>{1}));
    file.Close();
    EXPECT_EQ(ElementNames(OwnPath()), (std::set<std::wstring>{L"DestList", L"1", L"notes"}));

    // With every link broken the file is emptied, and the next entry gets number 0.
    WriteStream(OwnPath(), L"1", "not a link either");
    file.Open(scratch_.Path(), stem_);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.Entries().empty());
    EXPECT_EQ(file.FindOrAdd(Document(L"Fresh.txt")).entryNumber, 0u);
}

TEST_F(AutomaticDestinationsFile, OpeningKeepsTheNewestSixtyFourEntries) {
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), stem_);
    for (int index = 0; index < 80; ++index) file.FindOrAdd(Document(L"Doc " + std::to_wstring(index) + L".txt"));
    file.Close();
    file.Open(scratch_.Path(), stem_);
    const std::vector<std::uint32_t> numbers = Numbers(file.Entries());
    ASSERT_EQ(numbers.size(), 64u);
    EXPECT_EQ(numbers.front(), 80u);
    EXPECT_EQ(numbers.back(), 17u);
    file.Close();
    const std::set<std::wstring> names = ElementNames(OwnPath());
    EXPECT_EQ(names.size(), 65u);
    EXPECT_EQ(names.count(L"10"), 0u); // entry 16
    EXPECT_EQ(names.count(L"11"), 1u); // entry 17
}

TEST_F(AutomaticDestinationsFile, PinnedShellItemsAreStoredAsLinksAndPinsStopAtSixtyFour) {
    // A document of an application's own category may be a shell item; the file holds links.
    const std::wstring path = scratch_ / L"Item.txt";
    WriteFileBytes(path, "document");
    t_ComPtr<IShellItem> item;
    ASSERT_HRESULT_SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(item.Put())));
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), stem_);
    file.Pin(t_ShellDestination::Create(item.Get(), true));
    for (int index = 0; index < 64; ++index) file.Pin(Document(L"Pin " + std::to_wstring(index) + L".txt"));
    EXPECT_EQ(file.PinnedEntries().size(), 64u);
    EXPECT_EQ(file.Entries().size(), 64u); // the 65th pin added nothing
    file.Close();
    file.Open(scratch_.Path(), stem_);
    ASSERT_EQ(file.PinnedEntries().size(), 64u);
    EXPECT_EQ(LinkPath(*file.PinnedEntries().front()), path);
}

TEST_F(AutomaticDestinationsFile, AFileHeldByAnotherIsLeftAlone) {
    t_AutomaticDestinationsFile file;
    file.Open(scratch_.Path(), stem_);
    file.FindOrAdd(Document(L"Mine.txt"));
    file.Close();
    const std::string before = ReadFileBytes(OwnPath());
    {
        const t_FileHandle held(CreateFileW(OwnPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        file.Open(scratch_.Path(), stem_);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(file.Entries().empty());
        // Creating it anew must not replace the user's file.
        EXPECT_THROW(file.FindOrAdd(Document(L"Other.txt")), n_com::t_ErrorException);
    }
    EXPECT_EQ(ReadFileBytes(OwnPath()), before);
}

TEST(DestinationsFiles, OnlyWellFormedNamesOfTheSuffixCount) {
    const t_ScratchFolder scratch(L"destinations");
    for (const wchar_t* name :
         {L"abc.automaticDestinations-ms", L"F01B4D95CF55D32A.automaticDestinations-ms", L"0.automaticDestinations-ms",
          L"ffffffffffffffff.automaticDestinations-ms", L"xyz.automaticDestinations-ms", L"12.customDestinations-ms",
          L"34.automaticDestinations-ms.old"})
        WriteFileBytes(scratch / name, "");
    EXPECT_EQ(DestinationsFileHashes(scratch.Path(), automaticDestinationsSuffix),
              (std::set<std::uint64_t>{0xABC, 0xF01B4D95CF55D32A}));
    EXPECT_EQ(DestinationsFileHashes(scratch.Path(), customDestinationsSuffix), (std::set<std::uint64_t>{0x12}));
    EXPECT_TRUE(DestinationsFileHashes(scratch / L"missing\\", automaticDestinationsSuffix).empty());
}
