// Times the .qln library on the largest document Ombrix writes: a launch history of 10,000 command lines. Writing
// is Finish and Serialise of a built document; reading is Parse of its text. Prints the median of several runs.

#include "bench_support.h"

#include "quillane/document.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace n_quillane;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 15;
constexpr std::size_t entries = 10000;
constexpr std::size_t customExecutors = 3;
constexpr std::size_t entriesPerCustomExecutor = 100;


constexpr std::array<std::wstring_view, 8> vendors{
    L"Microsoft Office",        L"Mozilla Firefox", L"Notepad++", L"7-Zip",
    L"JetBrains\\CLion 2024.1", L"VideoLAN\\VLC",   L"Git",       L"Inkscape"};
constexpr std::array<std::wstring_view, 8> programs{L"winword", L"firefox", L"notepad++", L"7zFM",
                                                    L"clion64", L"vlc",     L"git-bash",  L"inkscape"};
constexpr std::array<std::wstring_view, 12> words{
    L"Report",         L"Budget 2024", L"Holiday photos", L"build",       L"Release notes",      L"R\u00E9sum\u00E9",
    L"\u00DCberblick", L"minutes",     L"draft (final)",  L"invoice #42", L"\u65E5\u672C\u8A9E", L"backup"};
constexpr std::array<std::wstring_view, 6> flags{L"--new-window",       L"-p default", L"/safe",
                                                 L"--profile \"Work\"", L"-n",         L"--disable-extensions"};

std::wstring Words(t_Sequence& sequence, std::wstring_view separator) {
    std::wstring text(sequence.Pick(words));
    for (std::uint32_t n = sequence.Below(4); n > 0; --n) text.append(separator).append(sequence.Pick(words));
    return text;
}

// Command lines of the kinds people type into the Run dialog, from a dozen to a few hundred units long.
std::wstring CommandLine(t_Sequence& sequence) {
    const std::size_t program = sequence.Below(static_cast<std::uint32_t>(programs.size()));
    switch (sequence.Below(6)) {
    case 0: {
        std::wstring line = L"\"C:\\Program Files\\" + std::wstring(vendors[program]) + L"\\" +
                            std::wstring(programs[program]) + L".exe\"";
        for (std::uint32_t n = sequence.Below(4); n > 0; --n) line.append(L" ").append(sequence.Pick(flags));
        if (sequence.Below(2) == 0) line += L" \"C:\\Users\\me\\Documents\\" + Words(sequence, L" ") + L".txt\"";
        return line;
    }
    case 1:
        return L"https://www.example.org/" + Words(sequence, L"/") + L"?q=" + Words(sequence, L"+") + L"&page=" +
               std::to_wstring(sequence.Below(100));
    case 2:
        return L"C:\\Users\\me\\Documents\\" + Words(sequence, L"\\") + L" (" +
               std::to_wstring(2000 + sequence.Below(25)) + L").docx";
    case 3:
        return L"cmd /c \"cd /d C:\\Projects\\" + Words(sequence, L"-") + L" && build.bat --config Release\"";
    case 4:
        return L"notepad \"C:\\Users\\me\\Desktop\\" + Words(sequence, L" ") + L".txt\"";
    default:
        return L"\\\\fileserver\\share\\" + Words(sequence, L"\\") + L"\\" + std::wstring(programs[program]) + L".lnk";
    }
}

struct t_History {
    std::vector<std::wstring> standard;
    std::vector<std::vector<std::wstring>> custom;
};

t_History MakeHistory() {
    t_Sequence sequence(0x2545F491);
    t_History history;
    history.custom.resize(customExecutors);
    for (auto& lines : history.custom) {
        for (std::size_t i = 0; i < entriesPerCustomExecutor; ++i) lines.push_back(CommandLine(sequence));
    }
    while (history.standard.size() + customExecutors * entriesPerCustomExecutor < entries) {
        history.standard.push_back(CommandLine(sequence));
    }
    return history;
}

t_Document Build(const t_History& history) {
    constexpr std::array<std::wstring_view, customExecutors> names{L"Windows Terminal", L"PowerShell",
                                                                   L"Run as administrator"};
    t_Document document;
    const t_Element root = document.CreateRoot(L"Ombrix History");
    const t_Element standard = document.AppendChild(root, L"default executor");
    for (const std::wstring& line : history.standard) document.AddAttribute(standard, L"", line);
    const t_Element custom = document.AppendChild(root, L"custom executors");
    for (std::size_t i = 0; i < customExecutors; ++i) {
        const t_Element executor = document.AppendChild(custom, names[i]);
        for (const std::wstring& line : history.custom[i]) document.AddAttribute(executor, L"", line);
    }
    return document;
}


} // namespace

int main() {
    const t_History history = MakeHistory();

    std::wstring text;
    std::vector<double> writing;
    for (int run = 0; run < runs; ++run) {
        t_Document document = Build(history);
        const auto start = std::chrono::steady_clock::now();
        document.Finish();
        text = document.Serialise(document.Root());
        writing.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }

    std::vector<double> reading;
    for (int run = 0; run < runs; ++run) {
        t_Document document;
        const auto start = std::chrono::steady_clock::now();
        document.Parse(text);
        reading.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        // What was read must be what was written, or the figures are of the wrong work.
        const t_Element standard = document.ChildByName(document.Root(), L"default executor");
        if (document.Value(document.FirstAttribute(standard)) != history.standard.front()) {
            std::fprintf(stderr, "bench_qln: the history did not come back\n");
            return 1;
        }
    }

    std::fprintf(stderr, "bench_qln: %zu units of text\n", text.size());
    std::printf("BENCH id=qln.parse.10k n=%zu median=%.2f unit=ms target=20\n", entries, Median(reading));
    std::printf("BENCH id=qln.serialise.10k n=%zu median=%.2f unit=ms target=20\n", entries, Median(writing));
    return 0;
}
