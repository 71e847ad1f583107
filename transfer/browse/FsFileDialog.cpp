#include "transfer/browse/FsFileDialog.h"

#include "core/PathHelpers.h"
#include "core/TextUtil.h"
#include "platform/ActiveJobHooks.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace {

FileDialogRunner& Runner()
{
    static FileDialogRunner runner;
    return runner;
}

constexpr const char* kDxfFilter = "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||";
constexpr const char* kTextFilter =
    "Common files (*.txt, *.asc, *.pts, *.csv)|*.txt;*.asc;*.pts;*.csv;|Text Files (*.txt)|*.txt|ASCII files "
    "(*.asc)|*.asc|Point files (*.pts)|*.pts|Csv Files (*.csv)|*.csv|All Files (*.*)|*.*||";
constexpr const char* kLandXmlFilter = "LandXML File (.XML)|*.xml|All Files (*.*)|*.*||";
constexpr const char* kJobAndRawFilter = "Morvel Job Files (*.Mvj)|*.Mvj|Morvel Raw Files (*.Mvr)|*.Mvr|All Morvel "
                                         "Files(*.Mvj, *.Mvr)|*.Mvj;*.Mvr||";
constexpr const char* kJobFilter = "Morvel Job Files (*.Mvj)|*.Mvj||";
constexpr const char* kRawFilter = "Morvel Raw Files (*.Mvr)|*.Mvr||";
constexpr const char* kBackupFilter = "Morvel Backup Files (*.Mvb)|*.Mvb||";
constexpr const char* kTransferFilter = "Vectrin TRN Files (*.Trn, *.Raw)|*.Trn;*.Raw||";

constexpr uint32_t kOpenFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr uint32_t kSaveFlags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST |
                                OFN_EXTENSIONDIFFERENT | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// The open job's folder, or the home folder when it has none that exists.
std::string ActiveJobFolderOrHome()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    if (hooks.isJobOpen && hooks.isJobOpen() && hooks.activeJobPath) {
        const std::string folder = GetPathFolderOrEmpty(hooks.activeJobPath());
        if (!folder.empty() && FolderExists(folder))
            return folder;
    }
    return GetHomeFolder();
}

std::string DefaultJobFolder()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    return hooks.defaultJobFolder ? hooks.defaultJobFolder() : std::string();
}

std::string DefaultBackupFolder()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    return hooks.defaultBackupFolder ? hooks.defaultBackupFolder() : std::string();
}

// Every spelling of the extension in capitals and small letters, the table's own first: another
// program may have saved the file as "site.dxf" or "SITE.DXF". The table's extensions are short.
std::vector<std::string> ExtensionSpellings(const std::string& extension)
{
    std::vector<std::string> spellings{extension};
    const std::string lower = textutil::ToLowerAscii(extension);
    const std::string upper = textutil::ToUpperAscii(extension);
    const size_t letters = std::min<size_t>(extension.size(), 8);
    for (uint32_t mask = 0; mask < (1u << letters); ++mask) {
        std::string spelling = lower;
        for (size_t i = 0; i < letters; ++i)
            if ((mask >> i) & 1)
                spelling[i] = upper[i];
        if (std::find(spellings.begin(), spellings.end(), spelling) == spellings.end())
            spellings.push_back(std::move(spelling));
    }
    return spellings;
}

// A job pair's file (its path ends in the extension, in some letter case) is named with the pair's
// own spelling of it ("X.mvj" is X.Mvj), as its partner always is, unless a file of the name is
// there already in the spelling typed or in another: that file is the one meant. Else two job
// files of one name would share one raw file.
std::string PairFileSpelling(const std::string& path, const std::string& extension, const FileExistsTest& exists)
{
    if (exists(path))
        return path;
    const std::string stem = path.substr(0, path.size() - extension.size());
    for (const std::string& spelling : ExtensionSpellings(extension))
        if (exists(stem + spelling))
            return stem + spelling;
    return stem + extension;
}

std::string LimitMessage()
{
    return "You can select at most " + std::to_string(CFsFileDialog::MaxMultipleFiles) + " data files each time.";
}

} // namespace

FileDialogRunner SetFileDialogRunner(FileDialogRunner runner)
{
    FileDialogRunner previous = std::move(Runner());
    Runner() = std::move(runner);
    return previous;
}

std::string CFsFileDialog::GetFilter(int32_t code)
{
    switch (code) {
    case FileTypeDxfExport:
    case FileTypeDxfImport: return kDxfFilter;
    case FileTypeAsciiExport:
    case FileTypeAsciiImport: return kTextFilter;
    case FileTypeLandXmlExport:
    case FileTypeLandXmlImport: return kLandXmlFilter;
    case FileTypeOpenJob: return kJobAndRawFilter;
    case FileTypeJob:
    case FileTypeImportJob:
    case FileTypeSaveJobAs:
    case FileTypeDownloadedJob: return kJobFilter;
    case FileTypeDownloadedRaw: return kRawFilter;
    case FileTypeBackup: return kBackupFilter;
    case FileTypeTransferFile: return kTransferFilter;
    default: return {};
    }
}

std::string CFsFileDialog::GetDefaultExtension(int32_t code)
{
    switch (code) {
    case FileTypeDxfExport:
    case FileTypeDxfImport: return "Dxf";
    case FileTypeAsciiExport:
    case FileTypeAsciiImport: return "Asc";
    case FileTypeLandXmlExport:
    case FileTypeLandXmlImport: return "Xml";
    case FileTypeOpenJob:
    case FileTypeJob:
    case FileTypeImportJob:
    case FileTypeSaveJobAs:
    case FileTypeDownloadedJob: return "Mvj";
    case FileTypeDownloadedRaw: return "Mvr";
    case FileTypeBackup: return "Mvb";
    case FileTypeTransferFile: return "Trn";
    default: return {};
    }
}

uint32_t CFsFileDialog::GetFlags(bool open, int32_t code)
{
    return open ? kOpenFlags : kSaveFlags;
}

std::string CFsFileDialog::GetInitialFolder(int32_t code, const std::string& suggested)
{
    std::string folder;
    if (code == FileTypeBackup) {
        folder = DefaultBackupFolder();
    } else if (code == FileTypeDownloadedRaw || code == FileTypeDownloadedJob) {
        folder = DefaultJobFolder();
    } else {
        if (code == FileTypeTransferFile) {
            const std::string vectrin = GetHomeFolder() + "Vectrin/Data/";
            if (FolderExists(vectrin))
                folder = vectrin;
        }
        if (folder.empty()) {
            const ActiveJobHooks& hooks = GetActiveJobHooks();
            if (!suggested.empty() && FolderExists(suggested))
                folder = suggested;
            else if (hooks.hasTemporaryJob && hooks.hasTemporaryJob())
                folder = DefaultJobFolder();
            else
                folder = ActiveJobFolderOrHome();
        }
    }
    if (folder.empty() || !FolderExists(folder))
        folder = ActiveJobFolderOrHome();
    return WithSeparator(folder);
}

std::string CFsFileDialog::EnsureExtension(const std::string& path, int32_t code)
{
    switch (code) {
    case FileTypeOpenJob:
    case FileTypeJob:
    case FileTypeImportJob:
    case FileTypeSaveJobAs:
    case FileTypeDownloadedRaw:
    case FileTypeDownloadedJob: break;
    default: return path;
    }
    const std::string extension = GetDefaultExtension(code);
    const std::string name = GetPathFileName(path);
    const auto dot = name.rfind('.');
    const std::string current = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (textutil::ToLowerAscii(current) == textutil::ToLowerAscii(extension))
        return path;
    return path + "." + extension;
}

ChosenFile CFsFileDialog::ResolveChosenFile(const std::string& chosen, int32_t code, bool open,
                                            const FileExistsTest& exists)
{
    const std::string extension = GetDefaultExtension(code);
    const std::string name = GetPathFileName(chosen);
    const bool bare = !name.empty() && name.find('.') == std::string::npos && !extension.empty();
    if (open) {
        if (exists(chosen))
            return {chosen, true};
        if (bare)
            for (const std::string& spelling : ExtensionSpellings(extension))
                if (exists(chosen + "." + spelling))
                    return {chosen + "." + spelling, true};
        return {chosen, false};
    }
    // A folder alone names no file to write.
    if (name.empty())
        return {chosen, false};
    ChosenFile file;
    file.path = EnsureExtension(bare ? chosen + "." + extension : chosen, code);
    // A job is written with its raw data file beside it, and raw data with its job.
    if (extension == "Mvj" || extension == "Mvr") {
        const JobPairPaths pair = NameJobPair(file.path, exists);
        const bool job = extension == "Mvj";
        file.path = job ? pair.job : pair.raw;
        if (const std::string& partner = job ? pair.raw : pair.job; exists(partner))
            file.partner = partner;
    }
    file.exists = exists(file.path);
    return file;
}

JobPairPaths CFsFileDialog::NameJobPair(const std::string& path, const FileExistsTest& exists)
{
    JobPairPaths pair{path, {}};
    if (textutil::ToLowerAscii(GetPathExtension(path)) != "mvj")
        ChangePathExtension(pair.job, "Mvj");
    pair.job = PairFileSpelling(pair.job, "Mvj", exists);
    pair.raw = pair.job;
    ChangePathExtension(pair.raw, "Mvr");
    return pair;
}

bool AskToReplaceFile(const std::string& path)
{
    const std::string text = GetPathFileName(path) + " already exists.\nDo you want to replace it?";
    return ShowMessageBoxFSWithCaption(text, "Confirm Save As", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

int CFsFileDialog::Prompt(bool open, std::string& path, int32_t code, const std::string& title)
{
    FileDialogRequest request;
    request.open = open;
    request.flags = GetFlags(open, code);
    request.defaultExtension = GetDefaultExtension(code);
    request.filter = GetFilter(code);
    request.filterIndex = GetDefaultFilterIndex(code, 0);
    request.initialFolder = GetInitialFolder(code, path);
    request.initialName = GetPathFileName(path);
    request.title = title;
    request.fileTypeCode = code;
    const int result = Runner() ? Runner()(request) : IDCANCEL;
    if (result != IDOK || request.chosenPaths.empty())
        return IDCANCEL;
    path = open ? request.chosenPaths.front() : EnsureExtension(request.chosenPaths.front(), code);
    m_lastFilterIndex = request.chosenFilterIndex;
    return result;
}

int CFsFileDialog::PromptOpen(std::string& path, int32_t code, const std::string& title)
{
    return Prompt(true, path, code, title);
}

int CFsFileDialog::PromptSave(std::string& path, int32_t code, const std::string& title)
{
    return Prompt(false, path, code, title);
}

int CFsFileDialog::PromptOpenMultiple(std::vector<std::string>& paths, int32_t code, const std::string& title)
{
    FileDialogRequest request;
    request.open = true;
    request.flags = GetFlags(true, code) | OFN_ALLOWMULTISELECT;
    request.defaultExtension = GetDefaultExtension(code);
    request.filter = GetFilter(code);
    request.filterIndex = GetDefaultFilterIndex(code, 0);
    request.initialFolder = GetInitialFolder(code, paths.empty() ? std::string() : paths.front());
    request.title = title;
    request.fileTypeCode = code;
    const int result = Runner() ? Runner()(request) : IDCANCEL;
    paths.clear();
    if (result != IDOK) {
        switch (request.extendedError) {
        case 0: break;
        case FNERR_BUFFERTOOSMALL: ShowMessageBoxFS(LimitMessage(), MB_OK); break;
        case FNERR_INVALIDFILENAME: ShowMessageBoxFS("Invalid file name.", MB_OK); break;
        default: ShowMessageBoxFS("Unknown system error.", MB_OK); break;
        }
        return result;
    }
    if (int32_t(request.chosenPaths.size()) > MaxMultipleFiles) {
        ShowMessageBoxFS(LimitMessage(), MB_OK);
        return result;
    }
    paths = std::move(request.chosenPaths);
    m_lastFilterIndex = request.chosenFilterIndex;
    return result;
}
