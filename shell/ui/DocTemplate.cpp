#include "shell/ui/DocTemplate.h"

#include "core/ProgramHelpers.h"
#include "model/DataFileDoc.h"
#include "model/OpenDocuments.h"

CDocTemplate::CDocTemplate(DocumentFactory makeDocument, DocumentOpener openDocument, ViewFactory makeView,
                           ViewCloser closeView)
    : m_makeDocument(std::move(makeDocument)), m_openDocument(std::move(openDocument)),
      m_makeView(std::move(makeView)), m_closeView(std::move(closeView))
{
}

CDocTemplate::~CDocTemplate() { CloseAllDocuments(); }

std::unique_ptr<CDataFileDoc> CDocTemplate::CreateDocument() const
{
    return m_makeDocument ? m_makeDocument() : nullptr;
}

CDataFileDoc* CDocTemplate::OpenDocumentFile(const std::string& path)
{
    if (m_document)
        return nullptr;
    std::unique_ptr<CDataFileDoc> document = CreateDocument();
    if (!document)
        return nullptr;
    // The job counts as open while it reads, as the readers look it up as the active job.
    AddOpenDocument(document.get());
    if (m_makeView)
        m_makeView(*document);
    if (!m_openDocument || !m_openDocument(*document, path)) {
        if (m_closeView)
            m_closeView(*document);
        RemoveOpenDocument(document.get());
        return nullptr;
    }
    document->SetPathName(path);
    m_document = std::move(document);
    return m_document.get();
}

void CDocTemplate::CloseAllDocuments()
{
    if (!m_document)
        return;
    std::unique_ptr<CDataFileDoc> document = std::move(m_document);
    document->OnCloseDocument();
    if (m_closeView)
        m_closeView(*document);
    RemoveOpenDocument(document.get());
}

bool CDocTemplate::MatchDocType(const std::string& path) { return IsJobFilePath(path); }
