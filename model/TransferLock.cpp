#include "model/TransferLock.h"

#include "model/DataFileDocShell.h"
#include "platform/MessageBox.h"

bool CTransferLock::Acquire()
{
    CDataFileDocShell& shell = GetDataFileDocShell();
    if (shell.IsTransferRunning()) {
        ShowMessageBoxFS("You cannot start the transfer process because another transfer process is running now.",
                         MB_OK);
        return false;
    }
    shell.SetTransferRunning(true);
    m_held = true;
    return true;
}

void CTransferLock::Release()
{
    if (!m_held)
        return;
    GetDataFileDocShell().SetTransferRunning(false);
    m_held = false;
}
