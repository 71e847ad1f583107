#include "platform/View.h"

#include "platform/Document.h"

CView::~CView()
{
    // A view that goes away first must not leave a dangling entry in its document.
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}
