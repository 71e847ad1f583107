#pragma once

#include "transfer/browse/JobListModel.h"
#include "transfer/ui/FolderListCtrl.h"

#include <memory>
#include <string>
#include <vector>

class wxImageList;

// The one image list of every job list: images 4 (a complete job), 5 (a job missing a file) and
// 6 (a folder) from the program's icons 9, 792 and 212; the first four are empty.
class CSharedJobImageList
{
public:
    CSharedJobImageList();
    ~CSharedJobImageList();
    CSharedJobImageList(const CSharedJobImageList&) = delete;
    CSharedJobImageList& operator=(const CSharedJobImageList&) = delete;
    wxImageList* Get() const;
};

// A folder's jobs, one row per coordinate and raw file pair, with its sub-folders; the tip of a
// row names both files or says which one is missing.
class CJobListCtrl : public CFolderListCtrl
{
public:
    CJobListCtrl(wxWindow* parent, wxWindowID id);
    ~CJobListCtrl() override;

    // 1 sub-folders and jobs (the default), 0 jobs only.
    void SetContentMode(int32_t mode) { m_contentMode = mode; }
    // 0 lists no job files; 1 this program's.
    void SetJobKind(uint32_t kind, bool refresh);
    uint32_t GetJobKind() const { return m_jobKind; }
    void SetOpenOnDoubleClick(bool open) { m_openOnDoubleClick = open; }

    CJobInfo* FindJob(const std::string& name, const std::string& fileName) const;
    const CJobInfo* GetFirstSelected();
    const CJobInfo* GetNextSelected();
    const CJobInfo* GetRow(int32_t row) const;

    std::string GetItemText(int32_t row, int column) const override;
    int GetItemImage(int32_t row) const override;
    // The row's tip at the point; false outside the rows.
    bool RequestRowTip(const wxPoint& bodyPoint) override;
    // The tip of a row: its lines and icon, as RequestRowTip shows them.
    int32_t GetToolTip(int32_t row, CColoredTextLines& lines) const;

protected:
    void InitColumns() override;
    void InitImageList() override;
    bool ReadRows(std::string& error) override;
    void ClearRows() override;
    void SortRows() override;
    int32_t GetRowCount() const override { return int32_t(m_order.size()); }
    bool IsFolderRow(int32_t row) const override { return m_order[size_t(row)]->IsFolder(); }
    std::string GetRowName(int32_t row) const override { return m_order[size_t(row)]->GetName(); }
    bool ShowsFolders() const override { return m_contentMode == JobListFoldersAndJobs; }
    bool OpensFoldersOnDoubleClick() const override { return m_openOnDoubleClick; }
    void AddFolderRow(const CFileInfo& info) override;
    void RenameFolderRow(int32_t row, const CFileInfo& info) override;

private:
    int32_t m_contentMode = JobListFoldersAndJobs;
    uint32_t m_jobKind = CJobInfo::KindNone;
    bool m_openOnDoubleClick = true;
    std::vector<std::unique_ptr<CJobInfo>> m_rows;
    std::vector<CJobInfo*> m_order; // display order
    CSharedJobImageList m_images;
};
