#pragma once

#include <wx/filedlg.h>

#include <string>
#include <vector>

// The file dialog of the program. The chosen path is read through GetChosenPath, which a window
// test can set as a person would pick the file (GTK's chooser fills in its own path only once it
// is shown).
class CFileDialog : public wxFileDialog
{
public:
    using wxFileDialog::wxFileDialog;

    void SetChosenPath(const std::string& path) { m_chosen = path; }
    std::string GetChosenPath() const;
    // Every chosen path of a multiple choice; the one set path when a test set it.
    std::vector<std::string> GetChosenPaths() const;

private:
    std::string m_chosen;
};
