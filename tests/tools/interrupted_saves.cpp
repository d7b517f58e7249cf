// Kills Ombrix (TerminateProcess) at random moments while it closes, which is when it saves its histories and then
// its configuration, and checks after every kill that both files read back whole: each is byte for byte either the
// version from before the close or the one the close writes.
//   interrupted_saves.exe ROUNDS [START]   (START: the random numbers' start value, which repeats a run)
// Ombrix.exe is the one beside this program; the files are the current user's, in the data folder, which is replaced.
// The old files are large (a full default history of 10,000 entries, about 1.4 MB) and written in the compact form,
// which Ombrix's own save never writes, so that a file read back is always known as old, new or neither.
// The save's moment varies from round to round, so the kills follow it with random jitter.
// Prints "rounds=R start=S close=Dms aim=Ams old=O mixed=M new=N during-write=W": an uninterrupted close takes D ms,
// the kills aimed at A ms after the request at the end; O, M and N count the rounds whose two files read back both old,
// one old and one new, both new; W counts kills that left a temporary file behind, that is, that hit a write.
// Exits 0 when every file read back whole, 1 at the first that did not (saying which), 2 when Ombrix could not be
// started or closed.

#include "ombrix_process.h"
#include "scratch_folder.h"

#include "quillane/document.h"
#include "system/text_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

using namespace n_ombrix_test;
namespace n_windows = n_zql::n_system::n_windows;

namespace {

const std::wstring configurationPath = DataFolder() + L"Configuration.qln";
const std::wstring historyPath = DataFolder() + L"History.qln";

struct t_Versions {
    std::string configuration;
    std::string history;
};

// A missing file reads as empty, which is never a whole version.
t_Versions ReadVersions() {
    const auto bytes = [](const std::wstring& path) {
        return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : ReadFileBytes(path);
    };
    return {bytes(configurationPath), bytes(historyPath)};
}

// A default history at its capacity: commands of a realistic length, all different.
std::wstring FullHistory() {
    n_quillane::t_Document document;
    const n_quillane::t_Element executor =
        document.AppendChild(document.CreateRoot(L"Ombrix History"), L"default executor");
    for (int i = 0; i < 10'000; ++i)
        document.AddAttribute(executor, L"",
                              L"\"C:\\Program Files\\Tool " + std::to_wstring(i) + L"\\tool.exe\" --open report-" +
                                  std::to_wstring(i * 7919 % 10'007) + L".txt");
    document.Finish();
    return document.SerialiseCompact(document.Root());
}

// Ombrix started on the files and asked to close; the time from the request to its end, or nothing.
std::optional<long long> CloseUninterrupted() {
    const t_OmbrixProcess ombrix;
    if (!ombrix.Window()) return std::nullopt;
    const auto start = std::chrono::steady_clock::now();
    if (!ombrix.Close()) return std::nullopt;
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// True when a temporary file of a save was left behind; it is removed.
bool RemoveLeftovers() {
    bool found = false;
    for (const std::wstring& path : {configurationPath, historyPath})
        found |= DeleteFileW((path + L".new").c_str()) != FALSE;
    return found;
}

} // namespace

int wmain(int argumentCount, wchar_t** arguments) {
    const int rounds = argumentCount > 1 ? _wtoi(arguments[1]) : 200;
    const unsigned randomStart =
        argumentCount > 2 ? static_cast<unsigned>(_wtoi(arguments[2])) : std::random_device()();
    try {
        // Ombrix's defaults, then the old versions in the compact form, then what a close makes of them.
        RemoveTree(DataFolder());
        if (!CloseUninterrupted()) return 2;
        n_quillane::t_Document defaults;
        defaults.Parse(n_windows::ReadTextFile(configurationPath));
        const std::wstring oldConfiguration = defaults.SerialiseCompact(defaults.Root());
        const std::wstring oldHistory = FullHistory();
        const auto writeOld = [&] {
            n_windows::WriteTextFileAtomically(configurationPath, oldConfiguration);
            n_windows::WriteTextFileAtomically(historyPath, oldHistory);
            return ReadVersions();
        };
        const t_Versions before = writeOld();
        const std::optional<long long> closeTime = CloseUninterrupted();
        if (!closeTime) return 2;
        const t_Versions after = ReadVersions();
        if (after.configuration == before.configuration || after.history == before.history) {
            std::fputs("a close did not rewrite the files\n", stderr);
            return 2;
        }

        std::mt19937 random(randomStart); // printed, so that a run can be repeated
        // Each kill is up to 10 ms either side of an aim that moves later after a kill that came before the save, and
        // earlier after one that came after it.
        std::uniform_int_distribution<long long> jitter(-10, 10);
        long long aim = *closeTime / 2;
        int old = 0, mixed = 0, fresh = 0, duringWrite = 0;
        for (int round = 0; round < rounds; ++round) {
            writeOld();
            const t_OmbrixProcess ombrix;
            if (!ombrix.Window()) return 2;
            ombrix.Post(WM_CLOSE);
            Sleep(static_cast<DWORD>(std::max(0LL, aim + jitter(random))));
            ombrix.Kill();
            if (!ombrix.WaitForExit()) return 2;
            duringWrite += RemoveLeftovers();
            const t_Versions now = ReadVersions();
            const bool configurationWhole =
                now.configuration == before.configuration || now.configuration == after.configuration;
            const bool historyWhole = now.history == before.history || now.history == after.history;
            if (!configurationWhole || !historyWhole) {
                std::printf("round %d (start %u): %s read back damaged (%zu bytes)\n", round, randomStart,
                            configurationWhole ? "History.qln" : "Configuration.qln",
                            configurationWhole ? now.history.size() : now.configuration.size());
                return 1;
            }
            const int newFiles = (now.history == after.history) + (now.configuration == after.configuration);
            ++(newFiles == 0 ? old : newFiles == 1 ? mixed : fresh);
            aim += newFiles == 0 ? 2 : newFiles == 2 ? -2 : 0;
        }
        std::printf("rounds=%d start=%u close=%lldms aim=%lldms old=%d mixed=%d new=%d during-write=%d\n", rounds,
                    randomStart, *closeTime, aim, old, mixed, fresh, duringWrite);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
}
