#include "core/ModifiedFlagGuard.h"

#include "platform/Document.h"

CModifiedFlagGuard::CModifiedFlagGuard(CDocument* d)
{
    Attach(d);
}

CModifiedFlagGuard::~CModifiedFlagGuard()
{
    Release();
}

void CModifiedFlagGuard::Attach(CDocument* d)
{
    Release();
    doc = d;
    if (!doc)
        return;
    wasModified = doc->IsModified();
    doc->SetModifiedWithText("", false, false);
}

void CModifiedFlagGuard::Release()
{
    if (doc)
        doc->SetModifiedWithText("", wasModified, false);
    doc = nullptr;
    wasModified = false;
}
