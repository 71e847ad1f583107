#include "transfer/ui/FileDialogRunner.h"

#include "framework/ui/FileDialog.h"
#include "framework/ui/ModalDialog.h"
#include "platform/MessageBox.h"
#include "transfer/browse/FileDialogWildcard.h"

#include <algorithm>

int RunFileDialogRequest(FileDialogRequest& request, wxWindow* parent)
{
    long style = request.open ? wxFD_OPEN : wxFD_SAVE;
    if (request.open && (request.flags & OFN_FILEMUSTEXIST))
        style |= wxFD_FILE_MUST_EXIST;
    if (!request.open && (request.flags & OFN_OVERWRITEPROMPT))
        style |= wxFD_OVERWRITE_PROMPT;
    if (request.open && (request.flags & OFN_ALLOWMULTISELECT))
        style |= wxFD_MULTIPLE;
    const wxString title = !request.title.empty() ? wxString::FromUTF8(request.title)
                           : request.open         ? wxString("Open")
                                                  : wxString("Save As");
    const wxString wildcard = wxString::FromUTF8(MakeFileDialogWildcard(request.filter));
    CFileDialog dialog(parent, title, wxString::FromUTF8(request.initialFolder),
                       wxString::FromUTF8(request.initialName), wildcard.empty() ? wxString("*") : wildcard, style);
    if (!wildcard.empty())
        dialog.SetFilterIndex(int(request.filterIndex));
    request.chosenPaths.clear();
    request.extendedError = 0;
    if (RunModal(dialog) != wxID_OK)
        return IDCANCEL;
    for (std::string& path : dialog.GetChosenPaths())
        if (!path.empty())
            request.chosenPaths.push_back(std::move(path));
    request.chosenFilterIndex = uint32_t(std::max(0, dialog.GetFilterIndex()));
    return request.chosenPaths.empty() ? IDCANCEL : IDOK;
}

void InstallFileDialogRunner(std::function<wxWindow*()> parent)
{
    SetFileDialogRunner([parent = std::move(parent)](FileDialogRequest& request) {
        return RunFileDialogRequest(request, parent ? parent() : nullptr);
    });
}

void RemoveFileDialogRunner() { SetFileDialogRunner({}); }
