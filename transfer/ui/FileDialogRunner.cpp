#include "transfer/ui/FileDialogRunner.h"

#include "core/PathHelpers.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/ModalDialog.h"
#include "platform/MessageBox.h"
#include "transfer/browse/FileDialogWildcard.h"

#include <algorithm>

namespace {

void SayNotFound(const std::string& path)
{
    ShowMessageBoxFS(GetPathFileName(path) + "\nFile not found.\nCheck the file name and try again.",
                     MB_OK | MB_ICONWARNING);
}

} // namespace

int RunFileDialogRequest(FileDialogRequest& request, wxWindow* parent)
{
    // The toolkit's own overwrite and must-exist checks look at the name as typed, before the
    // default extension is added: they are done here, on the file that is meant.
    const bool askReplace = !request.open && (request.flags & OFN_OVERWRITEPROMPT);
    const bool mustExist = request.open && (request.flags & OFN_FILEMUSTEXIST);
    long style = request.open ? wxFD_OPEN : wxFD_SAVE;
    if (request.open && (request.flags & OFN_ALLOWMULTISELECT))
        style |= wxFD_MULTIPLE;
    const wxString title = !request.title.empty() ? wxString::FromUTF8(request.title)
                           : request.open         ? wxString("Open")
                                                  : wxString("Save As");
    const wxString wildcard = wxString::FromUTF8(MakeFileDialogWildcard(request.filter));
    std::string folder = request.initialFolder;
    std::string name = request.initialName;
    int filterIndex = int(request.filterIndex);
    request.chosenPaths.clear();
    request.extendedError = 0;
    // A refused name shows the dialog again with that name, as the toolkit's checks would.
    for (;;) {
        CFileDialog dialog(parent, title, wxString::FromUTF8(folder), wxString::FromUTF8(name),
                           wildcard.empty() ? wxString("*") : wildcard, style);
        if (!wildcard.empty())
            dialog.SetFilterIndex(filterIndex);
        if (RunModal(dialog) != wxID_OK)
            return IDCANCEL;
        filterIndex = std::max(0, dialog.GetFilterIndex());
        std::vector<std::string> chosen;
        std::string refused;
        for (const std::string& path : dialog.GetChosenPaths()) {
            if (path.empty())
                continue;
            const ChosenFile file = CFsFileDialog::ResolveChosenFile(
                path, request.fileTypeCode, request.open, FileExists);
            // Writing a job or raw data file also replaces the pair's other file.
            const std::string& replaced = file.exists ? file.path : file.partner;
            const bool refuse =
                (mustExist && !file.exists) || (askReplace && !replaced.empty() && !AskToReplaceFile(replaced));
            // A save comes back with the file it asked about, extension and all: the bare name
            // would get the filter's own extension (another file on a case-sensitive disk).
            if (refuse && refused.empty())
                refused = mustExist ? path : file.path;
            chosen.push_back(file.path);
        }
        if (!refused.empty()) {
            if (mustExist)
                SayNotFound(refused);
            folder = GetPathFolderOrEmpty(refused);
            name = GetPathFileName(refused);
            continue;
        }
        request.chosenPaths = std::move(chosen);
        request.chosenFilterIndex = uint32_t(filterIndex);
        return request.chosenPaths.empty() ? IDCANCEL : IDOK;
    }
}

void InstallFileDialogRunner(std::function<wxWindow*()> parent)
{
    SetFileDialogRunner([parent = std::move(parent)](FileDialogRequest& request) {
        return RunFileDialogRequest(request, parent ? parent() : nullptr);
    });
}

void RemoveFileDialogRunner() { SetFileDialogRunner({}); }
