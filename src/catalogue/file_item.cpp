#include "catalogue/file_item.h"

#include "launch/shell_execute.h"

namespace n_ombrix {

bool t_FileItem::Launch(bool elevated) const { return ExecuteThroughShell(path_, L"", L"", elevated); }

} // namespace n_ombrix
