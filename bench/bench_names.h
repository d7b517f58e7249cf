#pragma once
// Names of a well-used Start menu, for benchmarks over 10,000 entries: applications, their uninstallers and help,
// their documents and vendor folders, about a third described. The same names on every run.

#include "bench_support.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix_bench {

struct t_EntryName {
    std::wstring name;
    std::wstring description;
    bool folder = false;
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

inline std::wstring Product(t_Sequence& sequence) {
    std::wstring name(sequence.Pick(vendors));
    name.append(L" ").append(sequence.Pick(products));
    if (sequence.Below(2) == 0) name.append(L" ").append(sequence.Pick(editions));
    return name;
}

inline std::vector<t_EntryName> StartMenuNames(std::size_t count) {
    t_Sequence sequence(0x6A09E667);
    std::vector<t_EntryName> items;
    items.reserve(count);
    while (items.size() < count) {
        t_EntryName item;
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

} // namespace n_ombrix_bench
