// Times the launch history at its capacity: the query that follows the first keystroke (a search of the whole
// history), the one that follows the second (a narrowing of the first one's candidates), the narrowing steps of
// typing whole words, and loading and saving "History.qln" through the launcher. Prints the median of several runs.

#include "bench_support.h"

#include "launch/default_launcher.h"
#include "launch/history_candidates.h"
#include "launch/launch_history.h"
#include "system/text_file.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 15;
constexpr std::size_t customEntries = 100;


constexpr std::array<std::wstring_view, 10> programs{L"notepad",
                                                     L"mspaint",
                                                     L"calc",
                                                     L"cmd /k",
                                                     L"powershell -NoProfile -Command",
                                                     L"explorer",
                                                     L"regedit",
                                                     L"code",
                                                     L"\"C:\\Program Files\\Mozilla Firefox\\firefox.exe\"",
                                                     L"\"C:\\Program Files\\Git\\git-bash.exe\" --cd="};
constexpr std::array<std::wstring_view, 12> folders{L"C:\\Users\\me\\Documents",
                                                    L"C:\\Users\\me\\Desktop",
                                                    L"D:\\Projects\\ombrix",
                                                    L"D:\\Projects\\website",
                                                    L"C:\\Windows\\System32",
                                                    L"\\\\fileserver\\shared",
                                                    L"%USERPROFILE%\\Downloads",
                                                    L"C:\\Temp",
                                                    L"E:\\Photos\\2023",
                                                    L"C:\\Users\\me\\Music",
                                                    L"D:\\Backup",
                                                    L"%APPDATA%\\Ombrix"};
constexpr std::array<std::wstring_view, 12> names{L"report",  L"notes",          L"budget 2024", L"R\u00E9sum\u00E9",
                                                  L"build",   L"todo",           L"Minutes",     L"draft (final)",
                                                  L"invoice", L"\u00DCbersicht", L"log",         L"setup"};
constexpr std::array<std::wstring_view, 8> extensions{L".txt", L".docx", L".xlsx", L".ps1",
                                                      L".log", L".md",   L".png",  L".pdf"};

// Commands of the kinds people type into the Run dialog; a serial number keeps them apart.
std::wstring Command(t_Sequence& sequence, std::size_t serial) {
    std::wstring path = std::wstring(sequence.Pick(folders)) + L"\\" + std::wstring(sequence.Pick(names)) + L" " +
                        std::to_wstring(serial) + std::wstring(sequence.Pick(extensions));
    switch (sequence.Below(5)) {
    case 0:
        return path;
    case 1:
        return L"https://www.example.org/search?q=" + std::wstring(sequence.Pick(names)) + L"+" +
               std::to_wstring(serial);
    default:
        return std::wstring(sequence.Pick(programs)) + L" \"" + path + L"\"";
    }
}

std::vector<std::wstring> Commands(t_Sequence& sequence, std::size_t count, std::size_t firstSerial) {
    std::vector<std::wstring> commands;
    for (std::size_t i = 0; i < count; ++i) commands.push_back(Command(sequence, firstSerial + i));
    return commands;
}



std::wstring ScratchFolder() {
    wchar_t temporary[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temporary);
    return std::wstring(temporary) + L"ombrix-bench-history\\";
}

} // namespace

int main() {
    t_Sequence sequence(0x9E3779B9);
    const std::vector<std::wstring> standard = Commands(sequence, t_LaunchHistory::capacity, 0);

    // The query: the first keystroke searches the whole history; the second narrows what the first found, the
    // worst case, since one letter matches most entries. Typing whole words shows the usual narrowing.
    t_LaunchHistory history;
    for (const std::wstring& command : standard) history.Append(command);
    history.TextOrder();
    t_HistoryCandidates candidates;
    std::vector<double> restarts;
    std::vector<double> narrowings;
    std::vector<double> typing;
    std::size_t restartCount = 0;
    std::size_t narrowCount = 0;
    for (int run = 0; run < runs; ++run) {
        candidates.Reset(&history);
        restarts.push_back(TimeMilliseconds([&] { candidates.UpdateQuery(L"r"); }));
        restartCount = candidates.Count();
        narrowings.push_back(TimeMilliseconds([&] { candidates.UpdateQuery(L"re"); }));
        narrowCount = candidates.Count();
        for (const std::wstring_view word : {L"notepad", L"report", L"documents", L"budget 2024", L"https://www"}) {
            candidates.Reset(&history);
            candidates.UpdateQuery(word.substr(0, 1));
            for (std::size_t length = 2; length <= word.size(); ++length)
                typing.push_back(TimeMilliseconds([&] { candidates.UpdateQuery(word.substr(0, length)); }));
        }
    }

    // Loading and saving: SetCustomExecutors loads the file, Clear saves it and empties the histories again.
    const std::wstring folder = ScratchFolder();
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::vector<t_LaunchItem> items{
        {L"PwS", L"Windows PowerShell", L"powershell", L"-Command \"%typed_command%\"", L""},
        {L"cmd", L"Windows Command Processor", L"cmd", L"/K \"%typed_command%\"", L""},
        {L"mmc", L"Microsoft Management Console", L"mmc", L"%typed_command%", L""}};
    std::vector<t_LaunchHistory> histories(1 + items.size());
    for (const std::wstring& command : standard) histories[0].Append(command);
    for (std::size_t i = 1; i < histories.size(); ++i)
        for (const std::wstring& command : Commands(sequence, customEntries, 100000 * i)) histories[i].Append(command);
    const std::array<std::wstring_view, 3> captions{L"PwS", L"cmd", L"mmc"};
    const n_quillane::t_Document document = WriteHistoryDocument(histories, captions);
    n_zql::n_system::n_windows::WriteTextFileAtomically(folder + L"History.qln", document.Serialise(document.Root()));

    std::vector<double> loadSaves;
    {
        t_DefaultLauncher launcher(folder);
        for (int run = 0; run < runs; ++run) {
            loadSaves.push_back(TimeMilliseconds([&] {
                launcher.SetCustomExecutors(items);
                launcher.Clear();
            }));
        }
        launcher.SetCustomExecutors(items);
        if (launcher.History(0).Entries() != standard) {
            std::fprintf(stderr, "bench_history: the history did not come back\n");
            return 1;
        }
    }
    DeleteFileW((folder + L"History.qln").c_str());
    RemoveDirectoryW(folder.c_str());

    std::fprintf(stderr, "bench_history: \"r\" found %zu entries, \"re\" kept %zu\n", restartCount, narrowCount);
    std::printf("BENCH id=history.query.restart.10k n=%zu median=%.3f unit=ms target=1\n", standard.size(),
                Median(restarts));
    std::printf("BENCH id=history.query.narrow.10k n=%zu median=%.3f unit=ms target=0.3\n", standard.size(),
                Median(narrowings));
    std::printf("BENCH id=history.query.narrow_typing.10k n=%zu median=%.3f unit=ms target=0.3\n", standard.size(),
                Median(typing));
    std::printf("BENCH id=history.load_save.10k n=%zu median=%.2f unit=ms target=30\n", standard.size(),
                Median(loadSaves));
    return 0;
}
