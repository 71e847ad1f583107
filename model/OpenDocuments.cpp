#include "model/OpenDocuments.h"

#include "model/DataFileDoc.h"

#include <algorithm>

namespace {

std::vector<CDocument*>& Documents()
{
    static std::vector<CDocument*> documents;
    return documents;
}

} // namespace

void AddOpenDocument(CDocument* document)
{
    if (document == nullptr || IsOpenDocument(document))
        return;
    Documents().push_back(document);
    CDataFileDoc::OnOpenDocumentsChanged();
}

void RemoveOpenDocument(CDocument* document)
{
    auto& documents = Documents();
    auto it = std::find(documents.begin(), documents.end(), document);
    if (it == documents.end())
        return;
    documents.erase(it);
    CDataFileDoc::OnOpenDocumentsChanged();
}

bool IsOpenDocument(const CDocument* document)
{
    const auto& documents = Documents();
    return std::find(documents.begin(), documents.end(), document) != documents.end();
}

std::vector<CDocument*> GetOpenDocuments() { return Documents(); }
