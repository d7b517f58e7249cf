#include "settings/executor_editor.h"

#include "launch/command_template.h"
#include "launch/shell_execute.h"
#include "resource_ids.h"
#include "settings/file_dialogs.h"
#include "settings/settings_control_ids.h"
#include "settings/settings_controls.h"
#include "settings/settings_edits.h"
#include "ui/message_loop.h"

namespace n_ombrix {

namespace {

namespace n_id = n_settings_control;

constexpr std::array<int, 5> fieldIds{n_id::editorShortCaption, n_id::editorDescription, n_id::editorExecutablePath,
                                      n_id::editorCommandLineTemplate, n_id::editorWorkDir};
constexpr std::size_t executableField = 2, workDirField = 4;

std::array<std::wstring*, 5> Fields(t_LaunchItem& item) {
    return {&item.shortCaption, &item.description, &item.executablePath, &item.commandLineTemplate, &item.workDir};
}

} // namespace

t_ExecutorEditor::t_ExecutorEditor(t_SettingsContext& context, const wchar_t* windowClass)
    : context_(context), windowClass_(windowClass) {}

bool t_ExecutorEditor::Edit(t_LaunchItem& item) {
    edited_ = item;
    browsed_ = accepted_ = ended_ = false;
    Create();
    const auto values = Fields(edited_);
    for (std::size_t i = 0; i < fields_.size(); ++i) SetWindowTextW(fields_[i], values[i]->c_str());
    EnableWindow(context_.window, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(fields_[0]);
    t_MessageLoop::RunModal(Handle(), ended_);
    // The owner is enabled before the editor goes, so that the activation returns to it.
    EnableWindow(context_.window, TRUE);
    DestroyWindowFor();
    fields_ = {};
    if (!accepted_ || (!browsed_ && edited_ == item)) return false;
    FillEmptyTemplate(edited_);
    item = edited_;
    return true;
}

void t_ExecutorEditor::End() noexcept { ended_ = true; }

void t_ExecutorEditor::Create() {
    const t_WidgetMetrics& metrics = context_.resources.Metrics();
    const HFONT font = context_.resources.GuiFont();
    const int u = metrics.unit, margin = u / 2 + 2, lineHeight = u + 4, buttonWidth = 2 * metrics.buttonWidth;
    const int fieldWidth = 8 * metrics.buttonWidth, clientWidth = 2 * margin + fieldWidth + margin + buttonWidth;
    CreateWindowFor({.extendedStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME,
                     .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                     .className = windowClass_},
                    context_.window);
    SetWindowTextW(Handle(), context_.String(IDS_EDITOR_TITLE));

    int y = margin;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::wstring label = context_.String(IDS_FIRST_EXECUTOR_FIELD + static_cast<unsigned>(i));
        const bool twoLines = fieldIds[i] == n_id::editorCommandLineTemplate;
        if (twoLines) label += L"\n" + std::wstring(typedCommandPlaceholder);
        const int labelHeight = (twoLines ? 2 : 1) * (lineHeight - 4);
        MoveWindow(CreateControl(Handle(), L"STATIC", label.c_str(), SS_NOPREFIX, 0, font), margin, y, fieldWidth,
                   labelHeight, FALSE);
        y += labelHeight + 2;
        fields_[i] =
            CreateControl(Handle(), L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, fieldIds[i], font, WS_EX_CLIENTEDGE);
        MoveWindow(fields_[i], margin, y, fieldWidth, lineHeight, FALSE);
        if (i == executableField || i == workDirField) {
            const HWND browse =
                CreateControl(Handle(), L"BUTTON", context_.String(IDS_BROWSE), WS_TABSTOP | BS_PUSHBUTTON,
                              i == executableField ? n_id::editorBrowseExecutable : n_id::editorBrowseWorkDir, font);
            MoveWindow(browse, 2 * margin + fieldWidth, y, buttonWidth, lineHeight, FALSE);
        }
        y += lineHeight + margin;
    }
    const int buttonsLeft = clientWidth - margin - 2 * buttonWidth - margin;
    MoveWindow(CreateControl(Handle(), L"BUTTON", context_.String(IDS_OK), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, font),
               buttonsLeft, y, buttonWidth, lineHeight, FALSE);
    MoveWindow(
        CreateControl(Handle(), L"BUTTON", context_.String(IDS_CANCEL), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, font),
        buttonsLeft + buttonWidth + margin, y, buttonWidth, lineHeight, FALSE);

    // Centred over the settings window.
    RECT frame{0, 0, clientWidth, y + lineHeight + margin}, owner{};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    GetWindowRect(context_.window, &owner);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(Handle(), nullptr, (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2,
                 width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void t_ExecutorEditor::Browse(std::size_t field) {
    std::wstring current = ControlText(fields_[field]);
    ExpandEnvironment(current);
    t_FileDialogRequest request{.purpose = t_FileDialogPurpose::programs, .folder = current};
    if (field == executableField) {
        const std::size_t slash = current.find_last_of(L"\\/");
        request.folder = slash == std::wstring::npos ? L"" : current.substr(0, slash);
        request.fileName = current.substr(slash == std::wstring::npos ? 0 : slash + 1);
        request.title = context_.String(IDS_CHOOSE_PROGRAM);
        request.fileTypes = {{context_.String(IDS_PROGRAM_FILES), L"*.exe;*.com;*.bat;*.cmd"},
                             {context_.String(IDS_ALL_FILES), L"*.*"}};
    } else {
        request.kind = t_FileDialogKind::pickFolder;
        request.title = context_.String(IDS_CHOOSE_FOLDER);
    }
    const std::optional<std::wstring> chosen = ShowFileDialog(Handle(), request);
    if (context_.GivenUp()) {
        End();
        return;
    }
    if (!chosen) return;
    SetWindowTextW(fields_[field], chosen->c_str());
    browsed_ = true;
}

void t_ExecutorEditor::Accept() {
    const auto values = Fields(edited_);
    for (std::size_t i = 0; i < fields_.size(); ++i) *values[i] = ControlText(fields_[i]);
    accepted_ = true;
    End();
}

LRESULT t_ExecutorEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Accept();
            return 0;
        case IDCANCEL:
            End();
            return 0;
        case n_id::editorBrowseExecutable:
            Browse(executableField);
            return 0;
        case n_id::editorBrowseWorkDir:
            Browse(workDirField);
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        End();
        return 0;
    case WM_ERASEBKGND:
        return EraseWithSystemColor(Handle(), wParam, COLOR_3DFACE);
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace n_ombrix
