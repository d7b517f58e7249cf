// Times the item search on a catalogue of 10,000 entries named like those of a well-used Start menu. A restart is a
// two-letter query that does not extend the last one, so every item is searched; narrowing is the third letter
// typed after it. Prints the median over several runs and queries.

#include "bench_names.h"
#include "bench_support.h"

#include "search/item_search.h"

#include <array>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 21;
constexpr std::size_t itemCount = 10000;

struct t_BenchItem : t_EntryName {
    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    bool HasDescription() const { return !description.empty(); }
    const std::wstring& GetDescription() const { return description; }
};

} // namespace

int main() {
    std::deque<t_BenchItem> items;
    for (t_EntryName& name : StartMenuNames(itemCount)) items.push_back({std::move(name)});
    t_ItemSearch<t_BenchItem> search;
    search.Reserve(items.size());
    for (t_BenchItem& item : items) search.Add(item);
    search.Search(L"warm", false); // the first search orders the items by name, once per catalogue

    constexpr std::array<std::wstring_view, 6> words{L"visual", L"remote", L"photo", L"uninstall", L"media", L"co"};
    std::vector<double> restarts;
    std::vector<double> narrowings;
    std::size_t restartCount = 0;
    std::size_t narrowCount = 0;
    for (int run = 0; run < runs; ++run) {
        for (const std::wstring_view word : words) {
            search.Search(L"#", false);
            restarts.push_back(
                TimeMilliseconds([&] { restartCount += search.Search(word.substr(0, 2), false).size(); }));
            narrowings.push_back(
                TimeMilliseconds([&] { narrowCount += search.Search(word.substr(0, 3), false).size(); }));
        }
    }

    const double queries = static_cast<double>(runs) * static_cast<double>(words.size());
    std::fprintf(stderr, "bench_search: two letters found %.0f items on average, three kept %.0f\n",
                 static_cast<double>(restartCount) / queries, static_cast<double>(narrowCount) / queries);
#ifdef _WIN32
    constexpr const char* suffix = ".wine";
#else
    constexpr const char* suffix = "";
#endif
    std::printf("BENCH id=search.restart.10k%s n=%zu median=%.3f unit=ms target=0.5\n", suffix, items.size(),
                Median(restarts));
    std::printf("BENCH id=search.narrow.10k%s n=%zu median=%.3f unit=ms target=0.1\n", suffix, items.size(),
                Median(narrowings));
    return 0;
}
