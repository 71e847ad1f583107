#include "model/DataFileDocShell.h"

namespace {

CDataFileDocShell*& InstalledShell()
{
    static CDataFileDocShell* shell = nullptr;
    return shell;
}

} // namespace

CDataFileDocShell& GetDataFileDocShell()
{
    static CDataFileDocShell none;
    CDataFileDocShell* shell = InstalledShell();
    return shell != nullptr ? *shell : none;
}

void SetDataFileDocShell(CDataFileDocShell* shell) { InstalledShell() = shell; }

void RestoreAppWaitCursor() { GetDataFileDocShell().RestoreWaitCursor(); }
