#pragma once

#include "transfer/browse/FsFileDialog.h"

#include <functional>

class wxWindow;

// Shows the request as the program's file dialog (a CFileDialog run through RunModal, so window
// tests answer it with SetChosenPath) over the parent. The chosen name becomes the file it means
// (CFsFileDialog::ResolveChosenFile); a save asks before replacing that file (or, when it is not
// there, the job pair's other file) and an open refuses a name with no file, both showing the
// dialog again. IDOK or IDCANCEL.
int RunFileDialogRequest(FileDialogRequest& request, wxWindow* parent);

// Makes every CFsFileDialog prompt show the dialog over the window the function names when asked
// (null: no owner). RemoveFileDialogRunner undoes it.
void InstallFileDialogRunner(std::function<wxWindow*()> parent);
void RemoveFileDialogRunner();
