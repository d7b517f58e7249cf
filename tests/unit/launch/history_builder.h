#pragma once
// A launch history holding given entries, most recent first, built the way launches build it.

#include "launch/launch_history.h"

#include <string>
#include <vector>

namespace n_ombrix_test {

using t_Entries = std::vector<std::wstring>;

inline n_ombrix::t_LaunchHistory HistoryOf(const t_Entries& mostRecentFirst) {
    n_ombrix::t_LaunchHistory history;
    for (auto entry = mostRecentFirst.rbegin(); entry != mostRecentFirst.rend(); ++entry) history.Add(*entry);
    return history;
}

} // namespace n_ombrix_test
