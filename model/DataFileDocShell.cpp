#include "model/DataFileDocShell.h"

#include "platform/BusyCursor.h"

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

void RestoreAppWaitCursor() { CBusyCursor::Restore(); }
