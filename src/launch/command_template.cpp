#include "launch/command_template.h"

namespace n_ombrix {

std::wstring ExpandCommandTemplate(std::wstring_view commandLineTemplate, std::wstring_view typedText) {
    std::wstring result(commandLineTemplate);
    std::size_t position = result.find(typedCommandPlaceholder);
    while (position != std::wstring::npos) {
        result.replace(position, typedCommandPlaceholder.size(), typedText);
        position = result.find(typedCommandPlaceholder, position + typedText.size());
    }
    return result;
}

} // namespace n_ombrix
