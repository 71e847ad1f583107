#include "platform/Document.h"

#include "platform/View.h"

#include <algorithm>
#include <filesystem>

namespace {
std::function<void(const std::string&)>& RecentFileHandler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}
} // namespace

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* v : m_views)
        v->m_pDocument = nullptr;
}

void CDocument::SetPathName(const std::string& path, bool addToRecentFiles)
{
    m_pathName = path;
    SetTitle(std::filesystem::path(path).filename().string());
    if (addToRecentFiles && RecentFileHandler())
        RecentFileHandler()(path);
}

void CDocument::SetModifiedWithText(const char*, bool modified, bool)
{
    SetModifiedFlag(modified);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_pathName.clear();
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    DeleteContents();
}

void CDocument::AddView(CView* view)
{
    if (!view || view->m_pDocument == this)
        return;
    if (view->m_pDocument)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, intptr_t hint, intptr_t hintObject)
{
    // By index: a view may close itself (or another) while it handles the hint.
    for (size_t i = 0; i < m_views.size();) {
        CView* v = m_views[i];
        if (v != sender)
            v->OnUpdate(sender, hint, hintObject);
        if (i < m_views.size() && m_views[i] == v)
            ++i;
    }
}

void CDocument::SetRecentFileHandler(std::function<void(const std::string&)> handler)
{
    RecentFileHandler() = std::move(handler);
}
