#include "launch/default_launcher.h"

#include "system/path_text.h"
#include "system/text_file.h"

#include <windows.h>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

t_DefaultLauncher::t_DefaultLauncher(const std::wstring& dataFolder)
    : histories_(1), filePath_(dataFolder + L"History.qln") {
    SetCurrentDirectoryW(defaultExecutor_.WorkingFolder().c_str());
    candidates_.Reset(&histories_[0]);
}

void t_DefaultLauncher::SetCustomExecutors(const std::vector<t_LaunchItem>& items) {
    customExecutors_.clear();
    customExecutors_.reserve(items.size());
    for (const t_LaunchItem& item : items) customExecutors_.emplace_back(item);
    executors_.assign(1, &defaultExecutor_);
    for (const t_CustomExecutor& executor : customExecutors_) executors_.push_back(&executor);
    histories_ = std::vector<t_LaunchHistory>(executors_.size());
    Load();
    loaded_ = true;
    current_ = previous_ = 0;
    candidates_.Reset(&histories_[0]);
}

void t_DefaultLauncher::Clear() {
    Save();
    loaded_ = false;
    histories_ = std::vector<t_LaunchHistory>(1);
    executors_.clear();
    customExecutors_.clear();
    current_ = previous_ = 0;
    candidates_.Reset(&histories_[0]);
}

void t_DefaultLauncher::Load() {
    try {
        n_quillane::t_Document document;
        document.Parse(ReadTextFile(filePath_));
        const std::vector<std::wstring_view> captions = CustomCaptions();
        ReadHistoryDocument(document, histories_, captions);
    } catch (...) {
        // A missing or damaged file: the histories keep what was read.
    }
}

void t_DefaultLauncher::Save() const {
    if (!loaded_) return;
    try {
        const std::vector<std::wstring_view> captions = CustomCaptions();
        const n_quillane::t_Document document = WriteHistoryDocument(histories_, captions);
        // The data folder may not exist yet on a new profile; every save makes it.
        CreateFolderIfMissing(n_zql::n_system::FolderOfPath(filePath_));
        WriteTextFileAtomically(filePath_, document.Serialise(document.Root()));
    } catch (...) {
        // The old file stays as it was.
    }
}

void t_DefaultLauncher::ClearHistory() {
    histories_[current_].Clear();
    candidates_.Reset(&histories_[current_]);
}

bool t_DefaultLauncher::SelectExecutor(const t_Executor& executor) {
    std::size_t position = 0;
    while (position < executors_.size() && executors_[position] != &executor) ++position;
    if (position == executors_.size() || position == current_) return false;
    candidates_.Reset(&histories_[position]);
    previous_ = current_;
    current_ = position;
    return true;
}

bool t_DefaultLauncher::Launch(const std::wstring& prepared, const std::wstring& typed, bool elevated) {
    if (!CurrentExecutor().Launch(prepared, elevated)) return false;
    histories_[current_].Add(typed);
    candidates_.Reset(&histories_[current_]);
    return true;
}

const t_Executor& t_DefaultLauncher::Executor(std::size_t position) const noexcept {
    if (position == 0) return defaultExecutor_;
    return customExecutors_[position - 1];
}

std::vector<std::wstring_view> t_DefaultLauncher::CustomCaptions() const {
    std::vector<std::wstring_view> captions;
    captions.reserve(customExecutors_.size());
    for (const t_CustomExecutor& executor : customExecutors_) captions.emplace_back(executor.Caption());
    return captions;
}

} // namespace n_ombrix
