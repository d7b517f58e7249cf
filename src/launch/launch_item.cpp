#include "launch/launch_item.h"

#include <stdexcept>

namespace n_ombrix {

namespace {

constexpr wchar_t shortCaptionName[] = L"short caption";
constexpr wchar_t descriptionName[] = L"description";
constexpr wchar_t executablePathName[] = L"executable path";
constexpr wchar_t commandLineTemplateName[] = L"command line template";
constexpr wchar_t workDirName[] = L"work dir";

} // namespace

t_LaunchItem ReadLaunchItem(const n_quillane::t_Document& document, n_quillane::t_Element element) {
    t_LaunchItem item{
        .shortCaption = std::wstring(document.AttributeByName(element, shortCaptionName)),
        .description = std::wstring(document.AttributeByName(element, descriptionName)),
        .executablePath = std::wstring(document.AttributeByName(element, executablePathName)),
        .commandLineTemplate = std::wstring(document.AttributeByName(element, commandLineTemplateName)),
        .workDir = std::wstring(document.AttributeByName(element, workDirName)),
    };
    if (item.shortCaption.empty() || item.executablePath.empty() || item.commandLineTemplate.empty())
        throw std::runtime_error("launch item without short caption, executable path or command line template");
    return item;
}

void WriteLaunchItem(const t_LaunchItem& item, n_quillane::t_Document& document, n_quillane::t_Element element) {
    document.AddAttribute(element, shortCaptionName, item.shortCaption);
    document.AddAttribute(element, descriptionName, item.description);
    document.AddAttribute(element, executablePathName, item.executablePath);
    document.AddAttribute(element, commandLineTemplateName, item.commandLineTemplate);
    document.AddAttribute(element, workDirName, item.workDir);
}

} // namespace n_ombrix
