#pragma once

#include <functional>
#include <memory>
#include <string>

class CDataFileDoc;

// Binds the job document to its window: makes the document, lets the main frame make the job
// view for it, opens the file into it and keeps it as the open job. The program shows one job at a
// time, so the template holds at most one document.
class CDocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<CDataFileDoc>()>;
    // Reads the file into the document; false when it could not (the document told the user).
    using DocumentOpener = std::function<bool(CDataFileDoc& document, const std::string& path)>;
    // Makes the job view for the document (it attaches itself) and shows it; called before the
    // file is read, so that the open hints reach a view. The closer removes it again.
    using ViewFactory = std::function<void(CDataFileDoc& document)>;
    using ViewCloser = std::function<void(CDataFileDoc& document)>;

    // The document strings of the job type.
    static constexpr const char* WindowTitle = "Morvel";
    static constexpr const char* DocumentName = "Morvel";
    static constexpr const char* FilterName = "Morvel Jobs (*.Mvj)";
    static constexpr const char* FilterExtension = ".Mvj";
    static constexpr const char* FileTypeId = "Morvel.Document.1";
    static constexpr const char* FileTypeName = "Morvel Document";

    CDocTemplate(DocumentFactory makeDocument, DocumentOpener openDocument, ViewFactory makeView,
                 ViewCloser closeView);
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // A document of the job type that belongs to no window (temporary jobs, exports).
    std::unique_ptr<CDataFileDoc> CreateDocument() const;

    // Opens the file as the open job; null when it could not be opened, and nothing is left open
    // then. The caller closes the previous job first.
    CDataFileDoc* OpenDocumentFile(const std::string& path);
    // Closes the open job without asking to save it.
    void CloseAllDocuments();
    CDataFileDoc* GetDocument() const { return m_document.get(); }

    // True when the path has the job extension, without regard to case.
    static bool MatchDocType(const std::string& path);

private:
    DocumentFactory m_makeDocument;
    DocumentOpener m_openDocument;
    ViewFactory m_makeView;
    ViewCloser m_closeView;
    std::unique_ptr<CDataFileDoc> m_document;
};
