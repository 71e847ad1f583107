#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Open-dialog and save-dialog flag words, as the file dialogs pass them on.
inline constexpr uint32_t OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr uint32_t OFN_HIDEREADONLY = 0x00000004;
inline constexpr uint32_t OFN_NOCHANGEDIR = 0x00000008;
inline constexpr uint32_t OFN_ENABLETEMPLATE = 0x00000040;
inline constexpr uint32_t OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr uint32_t OFN_EXTENSIONDIFFERENT = 0x00000400;
inline constexpr uint32_t OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr uint32_t OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr uint32_t OFN_NOREADONLYRETURN = 0x00008000;
inline constexpr uint32_t OFN_EXPLORER = 0x00080000;
inline constexpr uint32_t OFN_ENABLESIZING = 0x00800000;

// Errors a file dialog reports after a cancel.
inline constexpr uint32_t FNERR_INVALIDFILENAME = 0x3002;
inline constexpr uint32_t FNERR_BUFFERTOOSMALL = 0x3003;

// File-type codes: the kind of file a prompt is for.
enum FileTypeCode : int32_t
{
    FileTypeDxfExport = 0,
    FileTypeDxfImport = 1,
    FileTypeAsciiExport = 2,
    FileTypeAsciiImport = 3,
    FileTypeLandXmlExport = 4,
    FileTypeLandXmlImport = 5,
    FileTypeOpenJob = 6,
    FileTypeJob = 7,
    FileTypeImportJob = 8,
    FileTypeGenericSaveAs = 9,
    FileTypeSaveJobAs = 10,
    FileTypeDownloadedRaw = 11,
    FileTypeDownloadedJob = 12,
    FileTypeBackup = 13,
    FileTypeTransferFile = 14,
};

// What one run of a file dialog is asked for and what it answers. The window layer shows a real
// dialog for it; tests script the answers.
struct FileDialogRequest
{
    bool open = true;
    uint32_t flags = 0;
    std::string defaultExtension;
    // Pairs of description and pattern separated by '|', ended by "||".
    std::string filter;
    uint32_t filterIndex = 0; // preselected; 0 selects the first pair
    std::string initialFolder;
    std::string initialName;
    std::string title;        // empty: the dialog's own title
    int32_t fileTypeCode = -1; // what the dialog is for; decides the final name (ResolveChosenFile)

    // Answers.
    std::vector<std::string> chosenPaths;
    uint32_t chosenFilterIndex = 0;
    uint32_t extendedError = 0; // after a cancel: 0, or an FNERR_ code
};

// The file a name chosen in a file dialog stands for.
struct ChosenFile
{
    std::string path;
    // Save: the file is there and writing replaces it. Open: false when there is nothing to open.
    bool exists = false;
    // Save of a job or raw data file: the pair's other file (the same name with Mvr or Mvj) when
    // it is there, since writing the one writes the other too. Empty otherwise.
    std::string partner;
};

using FileExistsTest = std::function<bool(const std::string& path)>;

struct JobPairPaths
{
    std::string job;
    std::string raw;
};

// What a save asks before it replaces a file that is there: "NAME already exists.\nDo you want to
// replace it?", No the default. True to go on.
bool AskToReplaceFile(const std::string& path);

// Shows the dialog; IDOK or IDCANCEL (platform/MessageBox.h).
using FileDialogRunner = std::function<int(FileDialogRequest& request)>;
// Installs the runner and returns the previous one. Without one every dialog is cancelled.
FileDialogRunner SetFileDialogRunner(FileDialogRunner runner);

// The program's one place that knows, for each kind of file the user picks, the dialog's filter,
// default extension, flags and starting folder.
class CFsFileDialog
{
public:
    // The most files one multiple choice may return.
    static constexpr int32_t MaxMultipleFiles = 100;

    virtual ~CFsFileDialog() = default;

    // The filter index to preselect: 0 (the first pair) for every code.
    virtual uint32_t GetDefaultFilterIndex(int32_t code, int32_t unused) { return 0; }

    static std::string GetFilter(int32_t code);
    static std::string GetDefaultExtension(int32_t code);
    static uint32_t GetFlags(bool open, int32_t code);
    // Backups start in the default backup folder, downloads in the default job folder, transfer
    // files in ~/Vectrin/Data/ when it exists; otherwise the suggested folder when it exists,
    // else the default job folder for an unsaved job, else the open job's folder. A choice that
    // is not an existing folder falls back to the open job's folder, else the home folder.
    static std::string GetInitialFolder(int32_t code, const std::string& suggested);
    // For the job and raw codes (6, 7, 8, 10, 11, 12), appends "." and the default extension
    // when the path's extension differs from it ignoring case; other codes leave the path as is.
    static std::string EnsureExtension(const std::string& path, int32_t code);
    // What the name chosen in the dialog means, as the dialog itself decides before it closes.
    // Save: a folder alone stays as it is, with `exists` false; a name without a '.' in its file
    // part gets "." and the default extension, then the
    // extension is ensured, a job pair's file in the pair's spelling of it ("Mvj", "Mvr") unless
    // the name is there in another; `exists` says whether that file is there, `partner` names the
    // job pair's other file when that is there. Open: the name as chosen when it exists, else, for a
    // name without a '.', the name with the default extension in whatever letter case a file has
    // it; else the name as chosen with `exists` false. The import dialogs' file name fields
    // follow the same rule.
    static ChosenFile ResolveChosenFile(const std::string& chosen, int32_t code, bool open,
                                        const FileExistsTest& exists);
    // The job pair a job or raw data file named for writing belongs to: the job named by the job
    // rule (the pair's spelling "Mvj" unless a job of the name is there in the spelling typed or
    // in another), the raw data file always that job's name with "Mvr", the name its raw data is
    // read from. So a raw download never pairs a job with another survey's raw data.
    static JobPairPaths NameJobPair(const std::string& path, const FileExistsTest& exists);

    // On IDCANCEL the path is untouched; on IDOK it becomes the chosen path (extension ensured
    // after a save) and the chosen filter index is kept.
    int PromptOpen(std::string& path, int32_t code, const std::string& title);
    int PromptSave(std::string& path, int32_t code, const std::string& title);
    // The list's first entry suggests the folder. The list is emptied, then holds the chosen
    // paths in the dialog's order; more than 100 give the limit message and an empty list.
    int PromptOpenMultiple(std::vector<std::string>& paths, int32_t code, const std::string& title);

    uint32_t GetLastFilterIndex() const { return m_lastFilterIndex; }

private:
    int Prompt(bool open, std::string& path, int32_t code, const std::string& title);

    uint32_t m_lastFilterIndex = 0;
};
