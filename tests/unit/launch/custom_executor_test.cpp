// Real launches through the shell: a custom executor starts the launch recorder, which writes down the command line
// and working folder it got.

#include "launch/custom_executor.h"
#include "launch/shell_execute.h"

#include "scratch_folder.h"
#include "system/module_file_name.h"
#include "system/path_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

std::wstring RecorderPath() {
    return n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"launch_recorder.exe";
}

struct t_Record {
    std::wstring commandLine;
    std::wstring folder;
};

class CustomExecutorLaunch : public testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", record_.c_str()); }
    void TearDown() override { SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", nullptr); }

    // The record of the launch, once the recorder has written it.
    std::optional<t_Record> WaitForRecord() {
        for (int i = 0; i < 500; ++i) {
            if (GetFileAttributesW(record_.c_str()) != INVALID_FILE_ATTRIBUTES) {
                const std::string bytes = ReadFileBytes(record_);
                const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
                const std::size_t line = text.find(L'\n');
                return t_Record{text.substr(0, line), text.substr(line + 1)};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }

    // The parameters the recorder got: its command line after the quoted program path.
    static std::wstring ParametersOf(const std::wstring& commandLine) {
        const std::size_t end = commandLine[0] == L'"' ? commandLine.find(L'"', 1) + 1 : commandLine.find(L' ');
        return end >= commandLine.size() ? L"" : commandLine.substr(end + 1);
    }

    t_ScratchFolder folder_{L"custom-executor"};
    std::wstring record_ = folder_ / L"record.txt";
};

} // namespace

TEST_F(CustomExecutorLaunch, ParametersAreTheExpandedTemplateAndTheFolderTheExpandedWorkDir) {
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", folder_.Path().c_str());
    CreateDirectoryW((folder_ / L"work").c_str(), nullptr);
    const t_LaunchItem item{L"rec", L"Launch recorder", RecorderPath(),
                            L"--run \"%typed_command%\" --again %typed_command% --Typed_Command%TYPED_COMMAND%",
                            L"%OMBRIX_TEST_FOLDER%work"};
    const t_CustomExecutor executor(item);
    std::wstring text = L"say %typed_command% in %OMBRIX_TEST_FOLDER%";
    executor.Prepare(text);
    EXPECT_EQ(text, L"say %typed_command% in %OMBRIX_TEST_FOLDER%"); // custom executors take text as typed

    ASSERT_TRUE(executor.Launch(text, false));
    const std::optional<t_Record> record = WaitForRecord();
    ASSERT_TRUE(record) << "the recorder did not run";
    // Inserted text is not searched for the placeholder again, but environment references in it do expand.
    const std::wstring typed = L"say %typed_command% in " + folder_.Path();
    EXPECT_EQ(ParametersOf(record->commandLine),
              L"--run \"" + typed + L"\" --again " + typed + L" --Typed_Command%TYPED_COMMAND%");
    EXPECT_EQ(n_zql::n_system::WithTrailingBackslash(record->folder), folder_ / L"work\\");
    SetEnvironmentVariableW(L"OMBRIX_TEST_FOLDER", nullptr);
}

TEST_F(CustomExecutorLaunch, AMissingProgramIsRefusedWithoutAnyWindow) {
    const t_LaunchItem item{L"none", L"", folder_ / L"missing.exe", L"%typed_command%", L""};
    EXPECT_FALSE(t_CustomExecutor(item).Launch(L"anything", false));
}

TEST(ExpandEnvironment, OnlyWhenTheExpansionFits260Characters) {
    SetEnvironmentVariableW(L"OMBRIX_LONG", std::wstring(250, L'x').c_str());
    std::wstring fits = L"%OMBRIX_LONG%123456789"; // 259 characters and the NUL
    ExpandEnvironment(fits);
    EXPECT_EQ(fits, std::wstring(250, L'x') + L"123456789");
    std::wstring tooLong = L"%OMBRIX_LONG%1234567890"; // 260 characters: no room for the NUL
    ExpandEnvironment(tooLong);
    EXPECT_EQ(tooLong, L"%OMBRIX_LONG%1234567890");
    std::wstring unknown = L"%OMBRIX_NOT_SET% stays";
    ExpandEnvironment(unknown);
    EXPECT_EQ(unknown, L"%OMBRIX_NOT_SET% stays");
    SetEnvironmentVariableW(L"OMBRIX_LONG", nullptr);
}
