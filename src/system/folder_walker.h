#pragma once
// Enumerates the entries of one folder with find-first/find-next. A derived class is told each entry ("." and ".."
// included, as the platform lists them); enumeration state lives on the stack of Walk, so a handler may walk
// another folder (a subfolder) before it returns.

#include "system/error_exception.h"

#include <windows.h>

#include <string>

namespace n_zql::n_system::n_windows {

class t_FolderWalkerBase {
public:
    // Any failure to enumerate other than the end of the entries, including a folder that does not exist.
    class t_ErrorException : public n_windows::t_ErrorException {
    public:
        using n_windows::t_ErrorException::t_ErrorException;
        const char* what() const noexcept override;
    };

    t_FolderWalkerBase() noexcept = default;
    t_FolderWalkerBase(const t_FolderWalkerBase&) = delete;
    t_FolderWalkerBase& operator=(const t_FolderWalkerBase&) = delete;
    virtual ~t_FolderWalkerBase() = default;

    // Walks the entries matching the pattern, such as a folder with a trailing backslash followed by "*". Throws
    // t_ErrorException; entries handed on before a failure stay handled.
    void Walk(const std::wstring& pattern);

protected:
    virtual void OnEntry(const WIN32_FIND_DATAW& entry) = 0;
};

} // namespace n_zql::n_system::n_windows
