#pragma once
// Everything the command box launches through: the default executor, one custom executor per configured launch item,
// a launch history per executor (saved as "History.qln" in the data folder), and the history candidates offered for
// the current query. On the user-interface thread only.

#include "launch/custom_executor.h"
#include "launch/default_executor.h"
#include "launch/history_candidates.h"
#include "launch/launch_history.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

class t_DefaultLauncher {
public:
    // Makes the profile folder the process's current directory, which programs started by the default executor
    // inherit. No executors and empty histories until SetCustomExecutors.
    explicit t_DefaultLauncher(const std::wstring& dataFolder);
    t_DefaultLauncher(const t_DefaultLauncher&) = delete;
    t_DefaultLauncher& operator=(const t_DefaultLauncher&) = delete;

    // Builds the executors (the items stay the caller's and must outlive them, until Clear), loads the histories
    // and makes the default executor current, offering its whole history.
    void SetCustomExecutors(const std::vector<t_LaunchItem>& items);
    // Saves, then drops the executors, the histories and the query; the default executor is current again.
    void Clear();
    // Writes "History.qln". Failures are dropped and leave the old file. Nothing is written while the histories are
    // not loaded (before SetCustomExecutors and after Clear), so a save then cannot wipe the file.
    void Save() const;

    // False when the executor is already current (or is not one of ours). Otherwise it becomes current, the
    // previous one is remembered, and its whole history is offered with an empty query.
    bool SelectExecutor(const t_Executor& executor);

    // The history candidates of the current executor (see t_HistoryCandidates).
    void UpdateQuery(std::wstring_view text) { candidates_.UpdateQuery(text); }
    bool CompleteFromHistory(std::wstring& text) { return candidates_.CompleteFromHistory(text); }
    bool NextCandidate(std::wstring& text) { return candidates_.Next(text); }
    bool PreviousCandidate(std::wstring& text) { return candidates_.Previous(text); }
    void RemoveCandidate(std::size_t position) { candidates_.Remove(position); }
    // Empties the current executor's history; its candidates go with it.
    void ClearHistory();

    // Runs the prepared text with the current executor. When the shell accepts it, the text as typed goes in front
    // of that executor's history, whose whole is offered again with an empty query. A failed launch changes nothing.
    bool Launch(const std::wstring& prepared, const std::wstring& typed, bool elevated);

    const t_DefaultExecutor& DefaultExecutor() const noexcept { return defaultExecutor_; }
    // The default executor first, then the custom ones in the order of the items; empty until SetCustomExecutors.
    const std::vector<const t_Executor*>& Executors() const noexcept { return executors_; }
    const t_Executor& CurrentExecutor() const noexcept { return Executor(current_); }
    const t_Executor& PreviousExecutor() const noexcept { return Executor(previous_); }
    // The history of the executor at that position of Executors().
    const t_LaunchHistory& History(std::size_t executor) const noexcept { return histories_[executor]; }
    const t_HistoryCandidates& Candidates() const noexcept { return candidates_; }
    const std::wstring& FilePath() const noexcept { return filePath_; }

private:
    // Appends what the file holds to the (empty) histories; failures are dropped, what was read stays.
    void Load();
    const t_Executor& Executor(std::size_t position) const noexcept;
    std::vector<std::wstring_view> CustomCaptions() const;

    t_DefaultExecutor defaultExecutor_;
    std::vector<t_CustomExecutor> customExecutors_;
    std::vector<const t_Executor*> executors_; // into defaultExecutor_ and customExecutors_
    // Parallel to the executors; the default executor's history is always there.
    std::vector<t_LaunchHistory> histories_;
    t_HistoryCandidates candidates_;
    // Positions in the executors.
    std::size_t current_ = 0;
    std::size_t previous_ = 0;
    bool loaded_ = false;
    std::wstring filePath_;
};

} // namespace n_ombrix
