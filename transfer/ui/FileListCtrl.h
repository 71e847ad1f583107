#pragma once

#include "transfer/ui/FolderListCtrl.h"

#include <memory>
#include <string>
#include <vector>

class wxImageList;

// The one image list of every file list: a folder and a file picture, then the pictures of the
// file types met so far, each added once; made with the first holder and dropped with the last.
class CSharedFileImageList
{
public:
    static constexpr int FolderImage = 0;
    static constexpr int FileImage = 1;

    CSharedFileImageList();
    ~CSharedFileImageList();
    CSharedFileImageList(const CSharedFileImageList&) = delete;
    CSharedFileImageList& operator=(const CSharedFileImageList&) = delete;
    wxImageList* Get() const;
    // The picture of a row: its type's icon from the desktop's theme, else the plain folder or
    // file picture.
    int ImageOf(const CFileInfo& info) const;
};

// A list of one folder's sub-folders and files (or its files only) with their times, sizes and
// type names, browsed by double click and GoUp, with a new folder named in place and the names
// of files added to the job's folder through it.
class CFileListCtrl : public CFolderListCtrl
{
public:
    CFileListCtrl(wxWindow* parent, wxWindowID id);
    ~CFileListCtrl() override;

    void SetFilter(const std::string& extension, bool refresh);
    const std::string& GetFilter() const { return m_filter; }
    // 0 sub-folders and files (the default), 1 files only.
    void SetContentMode(int32_t mode) { m_contentMode = mode; }
    int32_t GetContentMode() const { return m_contentMode; }

    const CFileInfo* GetFirstSelected();
    const CFileInfo* GetNextSelected();
    const CFileInfo* GetRow(int32_t row) const;

    // Copies the file into the job's folder when it lies elsewhere and lists its name (a road
    // file with its templates); false, after telling why, when a copy failed.
    bool AddFile(const std::string& path);
    void RemoveFile(const std::string& path);
    const std::vector<std::string>& GetAddedNames() const { return m_added.GetNames(); }

    std::string GetItemText(int32_t row, int column) const override;
    int GetItemImage(int32_t row) const override;

protected:
    void InitColumns() override;
    void InitImageList() override;
    bool ReadRows(std::string& error) override;
    void ClearRows() override;
    void SortRows() override;
    int32_t GetRowCount() const override { return int32_t(m_rows.size()); }
    bool IsFolderRow(int32_t row) const override { return m_rows[size_t(row)]->isFolder; }
    std::string GetRowName(int32_t row) const override { return m_rows[size_t(row)]->name; }
    bool ShowsFolders() const override { return m_contentMode == FileListFoldersAndFiles; }
    void AddFolderRow(const CFileInfo& info) override;
    void RenameFolderRow(int32_t row, const CFileInfo& info) override;

private:
    std::string m_filter;
    int32_t m_contentMode = FileListFoldersAndFiles;
    std::vector<std::unique_ptr<CFileInfo>> m_store;
    std::vector<CFileInfo*> m_rows; // display order
    CAddedFiles m_added;
    CSharedFileImageList m_images;
};
