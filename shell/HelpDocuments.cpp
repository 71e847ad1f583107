#include "shell/HelpDocuments.h"

#include "core/PathHelpers.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLaunch.h"

bool OpenHelpDocument(const std::string& fileName)
{
    const std::string folder = GetExecutableFolder();
    const std::string path = folder + fileName;
    if (!FileExists(path)) {
        ShowMessageBoxFS("'" + path + "' not found.", MB_OK | MB_ICONERROR);
        return false;
    }
    // The desktop offers a choice of program itself when none is registered for the type.
    return OpenWithDesktop(path, folder);
}
