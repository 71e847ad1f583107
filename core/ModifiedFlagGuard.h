#pragma once

class CDocument;

// Keeps a job's modified flag as it was across edits made for internal reasons (preview drawing,
// scratch geometry): the job reads unmodified during the scope and gets its old flag back after.
class CModifiedFlagGuard {
public:
    CModifiedFlagGuard() = default;
    explicit CModifiedFlagGuard(CDocument* doc);
    ~CModifiedFlagGuard();
    CModifiedFlagGuard(const CModifiedFlagGuard&) = delete;
    CModifiedFlagGuard& operator=(const CModifiedFlagGuard&) = delete;

    // Guards a document from now on (the guard made without one); a document guarded before is
    // released first.
    void Attach(CDocument* doc);
    // Gives the document its old flag back and lets it go.
    void Release();

    // The flag the document gets back when the guard lets go.
    void SetRestoreState(bool modified) { wasModified = modified; }

    CDocument* GetDocument() const { return doc; }
    bool GetWasModified() const { return wasModified; }

private:
    bool wasModified = false;
    CDocument* doc = nullptr;
};
