#include "model/FrameRefreshLock.h"

#include "model/DataFileDocShell.h"

CFrameRefreshLock::CFrameRefreshLock(bool hold)
{
    if (!hold)
        return;
    GetDataFileDocShell().SetRefreshSuppressed(true);
    m_held = true;
}

void CFrameRefreshLock::Release()
{
    if (!m_held)
        return;
    GetDataFileDocShell().SetRefreshSuppressed(false);
    m_held = false;
}
