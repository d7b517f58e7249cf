#include "launch/custom_executor.h"

#include "launch/command_template.h"
#include "launch/shell_execute.h"

namespace n_ombrix {

bool t_CustomExecutor::Launch(const std::wstring& text, bool elevated) const {
    // Expansion runs over the whole parameter string, so environment references in the typed text expand too.
    std::wstring parameters = ExpandCommandTemplate(item_.commandLineTemplate, text);
    ExpandEnvironment(parameters);
    std::wstring folder = item_.workDir;
    if (!folder.empty()) ExpandEnvironment(folder);
    return ExecuteThroughShell(item_.executablePath, parameters, folder, elevated);
}

} // namespace n_ombrix
