#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CView;

// The thin document base under the job document: path, title, modified flag and the attached views.
// It owns no views; a view detaches itself when it is destroyed.
class CDocument {
public:
    CDocument();
    virtual ~CDocument();
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const std::string& GetPathName() const { return m_pathName; }
    // Stores the path and makes its file name the title; addToRecentFiles hands the path to the
    // recent-files handler when one is installed.
    virtual void SetPathName(const std::string& path, bool addToRecentFiles = true);
    void ClearPathName() { m_pathName.clear(); }

    const std::string& GetTitle() const { return m_title; }
    virtual void SetTitle(const std::string& title) { m_title = title; }

    virtual bool IsModified() { return m_modified; }
    virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    // Changes the modified state with a text for the change history. The base keeps no history and
    // only stores the flag; the job document records the text and tells its views.
    virtual void SetModifiedWithText(const char* text, bool modified, bool addHistory);

    // Called before the document closes; true when it may close. The base has nothing to save.
    virtual bool SaveModified() { return true; }
    virtual void DeleteContents() {}
    virtual bool OnNewDocument();
    virtual void OnCloseDocument();

    void AddView(CView* view);
    void RemoveView(CView* view);
    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    size_t GetViewCount() const { return m_views.size(); }
    CView* GetView(size_t i) const { return i < m_views.size() ? m_views[i] : nullptr; }

    // Calls OnUpdate of every view except the sender.
    void UpdateAllViews(CView* sender, intptr_t hint = 0, intptr_t hintObject = 0);

    // The shell's recent-files list; unset means no list.
    static void SetRecentFileHandler(std::function<void(const std::string&)> handler);

private:
    std::string m_pathName;
    std::string m_title;
    bool m_modified = false;
    std::vector<CView*> m_views;
};
