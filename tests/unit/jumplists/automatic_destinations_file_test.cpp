// The shell's automatic jump-list files: copies of files Windows 7 and 10 wrote, and files made here through our
// own edits, opened again as the shell would find them; and which shell objects make destinations.

#include "jumplists/automatic_destinations_file.h"

#include "jump_list_files.h"
#include "jumplists/destinations_file_name.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/error_exception.h"
#include "system/identity_hash.h"
#include "system/unique_handle.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <set>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

const std::wstring sharedJumpLists = std::wstring(OMBRIX_SHARED_TESTDATA_WINDOWS) + L"\\jumplists\\";

std::vector<std::uint32_t> Numbers(const std::vector<const t_DestListEntry*>& entries) {
    std::vector<std::uint32_t> numbers;
    for (const t_DestListEntry* entry : entries) numbers.push_back(entry->entryNumber);
    return numbers;
}

t_ComPtr<IStorage> OpenStorage(const std::wstring& path, DWORD access) {
    t_ComPtr<IStorage> storage;
    n_com::ThrowIfFailed(StgOpenStorageEx(path.c_str(), access | STGM_SHARE_EXCLUSIVE, STGFMT_STORAGE, 0, nullptr,
                                          nullptr, IID_PPV_ARGS(storage.Put())));
    return storage;
}

class AutomaticDestinationsFile : public testing::Test {
protected:
    // A copy of one of the files Windows wrote, opened; opening repairs in place. Empty when the files Windows wrote
    // are not beside the checkout.
    std::wstring OpenShared(const std::wstring& system, const std::wstring& stem) {
        if (GetFileAttributesW(sharedJumpLists.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
        const std::wstring shared = sharedJumpLists + system + L"-" + stem + std::wstring(automaticDestinationsSuffix);
        const std::wstring copy = scratch_ / (stem + std::wstring(automaticDestinationsSuffix));
        EXPECT_TRUE(CopyFileW(shared.c_str(), copy.c_str(), FALSE)) << GetLastError();
        file_.Open(scratch_.Path(), stem);
        return copy;
    }

    t_ShellDestination Document(const std::wstring& name) { return DocumentLink(scratch_ / name); }

    // Opening closes what was open first.
    void Open() { file_.Open(scratch_.Path(), stem_); }

    std::wstring OwnPath() const { return scratch_ / (stem_ + std::wstring(automaticDestinationsSuffix)); }

    // The names of the compound file's elements, read on their own: the object lets go of the file first.
    std::set<std::wstring> ElementNames(const std::wstring& path) {
        file_.Close();
        t_ComPtr<IEnumSTATSTG> elements;
        n_com::ThrowIfFailed(OpenStorage(path, STGM_READ)->EnumElements(0, nullptr, 0, elements.Put()));
        std::set<std::wstring> names;
        for (STATSTG element{}; elements->Next(1, &element, nullptr) == S_OK; element = {}) {
            names.insert(element.pwcsName);
            CoTaskMemFree(element.pwcsName);
        }
        return names;
    }

    // Streams written into our own file, each replacing any of its name; the object lets go of the file first.
    void WriteStreams(const std::vector<std::pair<std::wstring, std::string>>& streams) {
        file_.Close();
        const t_ComPtr<IStorage> storage = OpenStorage(OwnPath(), STGM_READWRITE);
        for (const auto& [name, bytes] : streams) {
            t_ComPtr<IStream> stream;
            n_com::ThrowIfFailed(storage->CreateStream(
                name.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, stream.Put()));
            n_com::ThrowIfFailed(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr));
        }
    }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"automatic destinations"};
    const std::wstring stem_ = L"abc123";
    t_AutomaticDestinationsFile file_;
};

} // namespace

TEST_F(AutomaticDestinationsFile, AWindows7FileOpensWithItsEntriesInOrder) {
    const std::wstring copy = OpenShared(L"win7", L"1b4dd67f29cb1962");
    if (copy.empty()) GTEST_SKIP() << "the shared test data is not there";
    const std::vector<const t_DestListEntry*> entries = file_.Entries();
    EXPECT_EQ(Numbers(entries), (std::vector<std::uint32_t>{11, 9, 8, 10, 7, 1, 2, 6, 5, 4, 3}));
    EXPECT_TRUE(file_.PinnedEntries().empty());
    EXPECT_EQ(LinkTarget(entries[0]->destination), L"C:\\Users\\nfury\\Pictures\\The SHIELD");
    for (const t_DestListEntry* entry : entries) EXPECT_EQ(file_.Find(entry->destination.IdentityKey()), entry);
    EXPECT_EQ(ElementNames(copy),
              (std::set<std::wstring>{L"DestList", L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"a", L"b"}));
}

TEST_F(AutomaticDestinationsFile, AWindows10FileKeepsItsPinsThroughEdits) {
    // The shell names the file by the hash of Explorer's identity, as we do.
    const std::wstring stem = DestinationsFileStem(ApplicationIdentityHash(L"Microsoft.Windows.Explorer"));
    const std::wstring copy = OpenShared(L"win10", stem);
    if (copy.empty()) GTEST_SKIP() << "the shared test data is not there";
    ASSERT_EQ(Numbers(file_.PinnedEntries()), (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(LinkTarget(file_.PinnedEntries()[1]->destination), L"C:\\Users\\e\\Downloads");

    // Unpin the second, pin a recent one, remove a recent one and a pinned one; the file must read back the same.
    file_.Unpin(*file_.PinnedEntries()[1]);
    const t_ShellDestination recent = file_.Entries()[1]->destination.Copy(); // entry 9
    file_.Pin(recent);
    file_.Remove(*file_.Entries()[2]);       // entry 8
    file_.Remove(*file_.PinnedEntries()[1]); // entry 3
    const std::vector<std::uint32_t> order{7, 9, 1, 2, 6, 5, 4}, pins{1, 4, 9};
    EXPECT_EQ(Numbers(file_.Entries()), order);
    file_.Open(scratch_.Path(), stem);
    EXPECT_EQ(std::pair(Numbers(file_.Entries()), Numbers(file_.PinnedEntries())), std::pair(order, pins));
    EXPECT_EQ(file_.PinnedEntries()[2]->destination.IdentityKey(), recent.IdentityKey());
    EXPECT_EQ(ElementNames(copy).count(L"8") + ElementNames(copy).count(L"3"), 0u);
}

TEST_F(AutomaticDestinationsFile, ANewFileStartsAtOneAndKeepsSixtyFourEntriesAndPins) {
    Open();
    EXPECT_FALSE(file_.IsOpen());
    const t_ShellDestination report = Document(L"Report.txt");
    EXPECT_EQ(file_.FindOrAdd(report).entryNumber, 1u);
    for (int index = 0; index < 79; ++index) file_.FindOrAdd(Document(L"Doc " + std::to_wstring(index) + L".txt"));
    file_.Pin(report);
    Open();
    // The newest 64 entries stay, and the pinned one, and their links load back with the same keys.
    const std::vector<std::uint32_t> numbers = Numbers(file_.Entries());
    ASSERT_EQ(numbers.size(), 64u);
    EXPECT_EQ(std::pair(numbers.front(), numbers.back()), std::pair(80u, 1u));
    EXPECT_EQ(file_.Find(report.IdentityKey()), file_.PinnedEntries().at(0));

    // A document of an application's own category may be a shell item: pinned, the file holds a link. Pins stop at 64.
    const std::wstring path = WriteDocument(scratch_ / L"Item.txt");
    t_ComPtr<IShellItem> item;
    ASSERT_HRESULT_SUCCEEDED(SHCreateItemFromParsingName(path.c_str(), nullptr, IID_PPV_ARGS(item.Put())));
    Open();
    file_.Pin(t_ShellDestination::Create(item.Get(), true));
    for (const t_DestListEntry* entry : file_.Entries()) file_.Pin(entry->destination); // found, not added again
    file_.Pin(Document(L"One more.txt"));
    EXPECT_EQ(file_.Entries().size(), 65u); // the item added, the pins beyond 64 nothing
    Open();
    ASSERT_EQ(file_.PinnedEntries().size(), 64u);
    EXPECT_EQ(LinkTarget(file_.PinnedEntries().at(1)->destination), path);
}

// Entries of namespaces this machine does not have (a URL handler, a Control Panel item, a shell extension that is
// not installed; under Wine most virtual folders) are the user's all the same: they are kept, keyed by the name the
// shell stored for them, and survive edits. Broken links and orphan streams go; streams of other names stay.
TEST_F(AutomaticDestinationsFile, OpeningDropsBrokenLinksAndOrphansButKeepsEntriesThisMachineCannotName) {
    Open();
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) file_.FindOrAdd(Document(name));
    // An ID list of an item inside a namespace extension that is not registered: the shell cannot name it.
    const std::string unnamed =
        SavedIdListLink(scratch_ / L"Unnamed.lnk", {0x14, 0x00, 0x1F, 0x50, 0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x34,
                                                    0x12, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x0C, 0x00,
                                                    0x31, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
    WriteStreams(
        {{L"1", unnamed}, {L"2", unnamed}, {L"3", "not a link"}, {L"1f", "an orphan"}, {L"notes", "someone else's"}});
    Open();
    ASSERT_EQ(Numbers(file_.Entries()), (std::vector<std::uint32_t>{4, 2, 1}));
    const t_DestListEntry& first = *file_.Entries()[2];
    EXPECT_FALSE(first.destination.DisplayText().empty()); // what the record stores
    EXPECT_EQ(file_.Find(first.destination.IdentityKey()), &first);
    file_.Pin(first.destination.Copy());
    file_.Remove(*file_.Entries()[1]); // entry 2
    Open();
    EXPECT_EQ(std::pair(Numbers(file_.Entries()), Numbers(file_.PinnedEntries())),
              std::pair(std::vector<std::uint32_t>{4, 1}, std::vector<std::uint32_t>{1}));
    EXPECT_EQ(ElementNames(OwnPath()), (std::set<std::wstring>{L"DestList", L"1", L"4", L"notes"}));

    // With every link broken the file is emptied, and the next entry gets number 0.
    WriteStreams({{L"1", "not a link either"}, {L"4", "not a link either"}});
    Open();
    EXPECT_TRUE(file_.IsOpen() && file_.Entries().empty());
    EXPECT_EQ(file_.FindOrAdd(Document(L"Fresh.txt")).entryNumber, 0u);

    // An empty DestList, as the shell leaves one for an application without entries, takes a pin.
    WriteStreams({{L"DestList", ""}});
    Open();
    file_.Pin(Document(L"Pinned.txt"));
    Open();
    EXPECT_EQ(file_.PinnedEntries().size(), 1u);
}

TEST_F(AutomaticDestinationsFile, AFileHeldByAnotherIsLeftAloneAndOneWithoutEntriesGoes) {
    Open();
    file_.FindOrAdd(Document(L"Mine.txt"));
    file_.Close();
    const std::string before = ReadFileBytes(OwnPath());
    {
        const t_FileHandle held(CreateFileW(OwnPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        Open();
        EXPECT_FALSE(file_.IsOpen());
        // Creating it anew must not replace the user's file.
        EXPECT_THROW(file_.FindOrAdd(Document(L"Other.txt")), n_com::t_ErrorException);
    }
    EXPECT_EQ(ReadFileBytes(OwnPath()), before);
    // Its last entry removed, the file goes.
    Open();
    file_.Remove(*file_.Entries().at(0));
    EXPECT_EQ(GetFileAttributesW(OwnPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

using ShellDestination = AutomaticDestinationsFile;

// Items are keyed by their parsing name as it is (their case may matter), not upper-cased as link paths are. (What
// else a link's key tells apart is seen with the custom files' tasks.) A link with neither path nor ID list, and an
// object that is neither item nor link, are no destination.
TEST_F(ShellDestination, ItemsAreKeyedApartFromLinksAndOtherObjectsAreNoDestination) {
    const t_ShellDestination link = Document(L"Report.txt");
    t_ComPtr<IShellItem> item;
    ASSERT_HRESULT_SUCCEEDED(
        SHCreateItemFromParsingName((scratch_ / L"Report.txt").c_str(), nullptr, IID_PPV_ARGS(item.Put())));
    EXPECT_NE(t_ShellDestination::Create(item.Get(), true).IdentityKey(), link.IdentityKey());
    t_ComPtr<IShellLinkW> empty;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(empty.Put())));
    EXPECT_THROW(t_ShellDestination::Create(empty.Get(), false), n_com::t_ErrorException);
    t_ComPtr<IUnknown> stream(SHCreateMemStream(nullptr, 0));
    EXPECT_THROW(t_ShellDestination::Create(stream.Get(), false), n_com::t_ErrorException);
}
