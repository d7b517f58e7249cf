#pragma once
// The record that describes a custom executor: a program and a command-line template into which typed text goes.
// Platform-neutral.

#include "quillane/document.h"

#include <string>

namespace n_ombrix {

struct t_LaunchItem {
    std::wstring shortCaption;        // shown in the executor selector; also the key of its history
    std::wstring description;
    std::wstring executablePath;      // passed to the shell as written
    std::wstring commandLineTemplate; // "%typed_command%" marks where the typed text goes
    std::wstring workDir;             // environment references are expanded at launch

    friend bool operator==(const t_LaunchItem&, const t_LaunchItem&) = default;
};

// Reads the five attributes of one element; an absent attribute reads as empty. Throws std::runtime_error when the
// short caption, the executable path or the command line template is empty: such a record cannot be run.
t_LaunchItem ReadLaunchItem(const n_quillane::t_Document& document, n_quillane::t_Element element);

// Adds the five attributes, in the order of the fields.
void WriteLaunchItem(const t_LaunchItem& item, n_quillane::t_Document& document, n_quillane::t_Element element);

} // namespace n_ombrix
