#include "settings/settings_edits.h"

#include "launch/command_template.h"
#include "system/upper_case.h"

namespace n_ombrix {

std::optional<std::wstring> EntryAfterLabelEdit(std::wstring_view entry, const wchar_t* editedText, bool upperCase) {
    if (!editedText) {
        if (entry.empty()) return std::nullopt;
        return std::wstring(entry);
    }
    const std::wstring_view text(editedText);
    if (text.empty()) return std::nullopt;
    return upperCase ? n_zql::n_system::UpperCased(text) : std::wstring(text);
}

bool IsKeptExecutor(const t_LaunchItem& executor) noexcept {
    return !executor.shortCaption.empty() && !executor.executablePath.empty();
}

void FillEmptyTemplate(t_LaunchItem& executor) {
    if (executor.commandLineTemplate.empty()) executor.commandLineTemplate = typedCommandPlaceholder;
}

} // namespace n_ombrix
