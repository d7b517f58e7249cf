#include "jumplists/destinations_files.h"

#include "jumplists/destinations_file_name.h"
#include "system/folder_walker.h"

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

namespace {

class t_HashCollector final : public t_FolderWalkerBase {
public:
    t_HashCollector(std::wstring_view suffix, std::set<std::uint64_t>& hashes) : suffix_(suffix), hashes_(hashes) {}

private:
    void OnEntry(const WIN32_FIND_DATAW& entry) override {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        if (const auto hash = ParseDestinationsFileName(entry.cFileName, suffix_)) hashes_.insert(*hash);
    }

    std::wstring_view suffix_;
    std::set<std::uint64_t>& hashes_;
};

} // namespace

std::set<std::uint64_t> DestinationsFileHashes(const std::wstring& folder, std::wstring_view suffix) {
    std::set<std::uint64_t> hashes;
    t_HashCollector collector(suffix, hashes);
    try {
        collector.Walk(folder + L"*" + std::wstring(suffix));
    } catch (const t_FolderWalkerBase::t_ErrorException&) {
        // No folder, no jump lists; what was listed before a failure still counts.
    }
    return hashes;
}

} // namespace n_ombrix
