#pragma once

#include <string>

// What the side bar forwards to its home panel, the project navigator, as the job changes.
class CNavigatorPanel
{
public:
    virtual ~CNavigatorPanel() = default;
    // Rebuilds the whole panel for the active job.
    virtual void Initialize() = 0;
    // No job: the title says so and the tree is empty.
    virtual void ShowNoFile() = 0;
    virtual void SetJobTitle(const std::string& title) = 0;
    // Selects the file item of the path's kind and shows the path as the title.
    virtual void ShowFile(const std::string& path) = 0;
    virtual void RefreshAllJobs() = 0;
    virtual void RefreshActiveJobMarks() = 0;
    virtual void UpdateFileItems(const std::string& fileName) = 0;
    virtual void SelectActiveJobFile(bool raw) = 0;
};
