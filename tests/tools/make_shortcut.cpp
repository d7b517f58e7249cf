// Makes shell links as the shell does, for setting up a prefix's Start Menu (scripts/run.sh uses it).
//   make_shortcut.exe <link path> <target> [<link path> <target>]...
// Exits 0 when every link was written.

#include "shell_link.h"

#include "system/com_ptr.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    try {
        const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
        for (int i = 1; i + 1 < argc; i += 2) n_ombrix_test::MakeShellLink(argv[i], {.target = argv[i + 1]});
        return 0;
    } catch (...) {
        return 1;
    }
}
