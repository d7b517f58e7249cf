// The Windows part of t_Configuration: the file and the Run key.

#include "config/configuration.h"

#include "system/module_file_name.h"
#include "system/path_text.h"
#include "system/text_file.h"
#include "system/unique_handle.h"

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t runValue[] = L"Ombrix";

n_quillane::t_Document ReadDocumentFile(const std::wstring& path) {
    n_quillane::t_Document document;
    document.Parse(ReadTextFile(path));
    return document;
}

std::wstring SerialisedDocument(const n_quillane::t_Document& document) { return document.Serialise(document.Root()); }

} // namespace

void t_Configuration::Load() {
    try {
        ReadDocument(ReadDocumentFile(filePath));
    } catch (...) {
        // A missing or damaged file: what was read before the failure stays, the rest keeps its default.
    }
    ReadAutostart();
    Normalise();
}

void t_Configuration::Save() const {
    try {
        // The data folder may not exist yet on a new profile; every save makes it.
        CreateFolderIfMissing(n_zql::n_system::FolderOfPath(filePath));
        WriteTextFileAtomically(filePath, SerialisedDocument(WriteDocument()));
    } catch (...) {
        // The old file stays as it was; the registry part is still written.
    }
    try {
        WriteAutostart();
    } catch (...) {
    }
}

void t_Configuration::ExportColors(const std::wstring& path) const {
    try {
        const n_quillane::t_Document document = WriteColorsDocument();
        WriteTextFileAtomically(path, document.SerialiseCompact(document.Root()));
    } catch (...) {
    }
}

void t_Configuration::ImportColors(const std::wstring& path) {
    // A scheme comes in whole or not at all: a file damaged halfway through must not leave half of it.
    const auto before = colors;
    try {
        const n_quillane::t_Document document = ReadDocumentFile(path);
        const n_quillane::t_Element colorsElement = document.ChildByName(document.Root(), L"colors");
        if (colorsElement != n_quillane::nullElement) ReadColors(document, colorsElement);
    } catch (...) {
        colors = before;
    }
}

void t_Configuration::ReadAutostart() {
    t_RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS) return;
    DWORD type = REG_NONE;
    autostart =
        RegQueryValueExW(key.Get(), runValue, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS && type == REG_SZ;
}

void t_Configuration::WriteAutostart() const {
    t_RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_SET_VALUE, key.Put()) != ERROR_SUCCESS) return;
    if (autostart) {
        // The program's full path in quotes: the value is a command line, and an unquoted path with blanks (a user
        // folder "C:\Users\Jane Doe\...") would first be tried as "C:\Users\Jane.exe". The size holds the NUL.
        const std::wstring command = L"\"" + ModuleFileName(nullptr) + L"\"";
        RegSetValueExW(key.Get(), runValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        RegDeleteValueW(key.Get(), runValue);
    }
}

} // namespace n_ombrix
