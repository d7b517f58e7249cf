// Times the item search on a catalogue of 10,000 entries named like those of a well-used Start menu. A restart is a
// two-letter query that does not extend the last one, so every item is searched; narrowing is the third letter
// typed after it. Prints the median over several runs and queries.

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

struct t_BenchItem {
    std::wstring name;
    std::wstring description;
    bool folder = false;

    const std::wstring& DisplayName() const { return name; }
    bool IsFolder() const { return folder; }
    bool HasDescription() const { return !description.empty(); }
    const std::wstring& GetDescription() const { return description; }
};

constexpr std::array<std::wstring_view, 16> vendors{
    L"Microsoft", L"Adobe", L"Mozilla", L"JetBrains", L"Autodesk", L"Corel",   L"Oracle", L"VideoLAN",
    L"Python",    L"Git",   L"Steam",   L"Ubisoft",   L"NVIDIA",   L"Realtek", L"Intel",  L"Logitech"};
constexpr std::array<std::wstring_view, 24> products{L"Word",
                                                     L"Excel",
                                                     L"PowerPoint",
                                                     L"Outlook",
                                                     L"Photoshop",
                                                     L"Acrobat Reader",
                                                     L"Firefox",
                                                     L"Thunderbird",
                                                     L"CLion",
                                                     L"IntelliJ IDEA",
                                                     L"AutoCAD",
                                                     L"PaintShop Pro",
                                                     L"VirtualBox",
                                                     L"VLC media player",
                                                     L"IDLE",
                                                     L"Git Bash",
                                                     L"Control Panel",
                                                     L"Options",
                                                     L"Studio",
                                                     L"Visual Studio Code",
                                                     L"Media Encoder",
                                                     L"Audio Console",
                                                     L"Graphics Command Center",
                                                     L"Remote Desktop Connection"};
constexpr std::array<std::wstring_view, 12> editions{L"2016",     L"2019",     L"2024",      L"DC",
                                                     L"(64-bit)", L"3.12",     L"Community", L"Pro",
                                                     L"Beta",     L"Insiders", L"Express",   L"Ultimate"};
constexpr std::array<std::wstring_view, 10> documents{L"Read Me",     L"Release Notes", L"License", L"Manual",
                                                      L"Website",     L"Changelog",     L"FAQ",     L"Support",
                                                      L"Quick Start", L"Documentation"};
constexpr std::array<std::wstring_view, 12> descriptions{L"Create and edit documents",
                                                         L"Browse the web",
                                                         L"Removes the program from this computer",
                                                         L"Opens the user guide",
                                                         L"Plays audio and video files",
                                                         L"Manage your e-mail and calendar",
                                                         L"Edit photos and images",
                                                         L"Develop and debug applications",
                                                         L"Connect to another computer",
                                                         L"Change settings for your hardware",
                                                         L"Opens the product's website",
                                                         L"Command-line tools for developers"};

std::wstring Product(t_Sequence& sequence) {
    std::wstring name(sequence.Pick(vendors));
    name.append(L" ").append(sequence.Pick(products));
    if (sequence.Below(2) == 0) name.append(L" ").append(sequence.Pick(editions));
    return name;
}

// Applications, their uninstallers and help, their documents and vendor folders, about a third described.
std::deque<t_BenchItem> MakeCatalogue() {
    t_Sequence sequence(0x6A09E667);
    std::deque<t_BenchItem> items;
    while (items.size() < itemCount) {
        t_BenchItem item;
        switch (sequence.Below(8)) {
        case 0:
            item.name = L"Uninstall " + Product(sequence);
            break;
        case 1:
            item.name = Product(sequence) + L" Help";
            break;
        case 2:
            item.name = std::wstring(sequence.Pick(documents));
            break;
        case 3:
            item.name = std::wstring(sequence.Pick(vendors)) + L" " + std::wstring(sequence.Pick(editions));
            item.folder = true;
            break;
        default:
            item.name = Product(sequence);
            break;
        }
        if (sequence.Below(3) == 0) item.description = std::wstring(sequence.Pick(descriptions));
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

int main() {
    std::deque<t_BenchItem> items = MakeCatalogue();
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
