#pragma once

#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

// A modal window that shows a text file read-only in a fixed-pitch font, for files the desktop
// has no program for. Titled with the file's name.
class CTextFileViewer : public wxDialog
{
public:
    CTextFileViewer(wxWindow* parent, const std::string& fileName, const std::string& text);

    wxTextCtrl* GetViewer() const { return m_viewer; }

private:
    wxTextCtrl* m_viewer = nullptr;
};

// Opens a file (the transfer log, a file of the job's folder) through the companion editor when
// the desktop has a program for it, else shows its text in the program's own viewer, or says why
// it cannot be shown. A path without a folder is taken from the active job's folder.
bool OpenFileInEditorOrViewer(const std::string& path, const std::string& option, wxWindow* parent);
