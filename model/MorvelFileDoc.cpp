#include "model/MorvelFileDoc.h"

#include "core/FileHelpers.h"
#include "core/LittleEndian.h"
#include "core/ModifiedFlagGuard.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/TextEncoding.h"
#include "model/DataFileDocShell.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/JobFileHeader.h"
#include "model/MorvelSettings.h"
#include "model/OpenDocuments.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/ActiveJobHooks.h"
#include "platform/AtomicFile.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <charconv>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Options of the regeneration posted after a reload: the two dialog options, from a reload, and
// the mark every reload sets.
constexpr uint32_t kRegenerateIgnoreStorePoints = 1;
constexpr uint32_t kRegenerateIgnoreDeleted = 2;
constexpr uint32_t kRegenerateFromReload = 4;
constexpr uint32_t kRegenerateFromDialog = 0x8000;

constexpr const char* kUndoBufferName = "undo buffer";
constexpr const char* kUntitled = "Untitled";
constexpr const char* kFailedToWrite = "Failed to write file";

// A text coordinate file larger than this is not a coordinate list.
constexpr std::uintmax_t kMaxTextCoordinateBytes = 256u * 1024u * 1024u;

bool HasTemporaryJob()
{
    const ActiveJobHooks& hooks = GetActiveJobHooks();
    return hooks.hasTemporaryJob && hooks.hasTemporaryJob();
}

std::string Format1(const char* format, const std::string& value)
{
    std::string text(format);
    const auto at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

std::string RawPathOf(std::string path)
{
    ChangePathExtension(path, "Mvr");
    return path;
}

// The folder temporary files for this path go into, so that a rename never crosses file systems.
std::string FolderOf(const std::string& path)
{
    std::string folder = GetPathFolderOrEmpty(path);
    return folder.empty() ? std::string(".") : folder;
}

void RemoveIfExists(const std::string& path)
{
    if (!path.empty())
        std::remove(path.c_str());
}

bool IsReadOnlyFile(const std::string& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status))
        return false;
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & write) == fs::perms::none;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A temporary file is made for its owner alone; the file that replaces a target takes the
// target's permissions, or those a new file gets.
void TakePermissionsOf(const std::string& temporary, const std::string& target)
{
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(temporary.c_str(), mode);
}

// Said the moment the folder refuses the save's temporary file, in words a surveyor can act on.
void TellFolderRefused(std::string folder, int error)
{
    if (folder.size() > 1 && IsPathSeparator(folder.back()))
        folder.pop_back();
    std::string reason = std::strerror(error);
    if (!reason.empty())
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
    ShowMessageBoxFS("The job could not be saved in " + folder + ": " + reason + ".", MB_OK | MB_ICONERROR);
}

// The old contents of a target, kept under a free name beside it while the new file goes in.
struct KeptFile {
    std::string path; // empty when there was nothing to keep, or nothing could be kept
    bool aside = false; // the target itself was moved: it is missing until something takes its place
    int error = 0;
};

// A hard link keeps the target in place throughout; a folder that takes no links (FAT and exFAT
// memory sticks) gets a copy; a stick too full for the copy gets the target renamed aside, which
// needs no room.
KeptFile KeepOldFile(const std::string& target)
{
    KeptFile kept;
    if (!FileExists(target))
        return kept;
    std::string keep = MakeTempFileName(FolderOf(target), kept.error);
    if (keep.empty())
        return kept;
    std::remove(keep.c_str());
    std::error_code error;
    if (::link(target.c_str(), keep.c_str()) == 0 ||
        fs::copy_file(target, keep, fs::copy_options::overwrite_existing, error)) {
        kept.path = keep;
        return kept;
    }
    fs::remove(keep, error);
    if (RenameDurably(target, keep)) {
        kept.path = keep;
        kept.aside = true;
        return kept;
    }
    kept.error = errno;
    return kept;
}

} // namespace

CMorvelFileDoc::CMorvelFileDoc() : m_settings(std::make_unique<CJobFileDocSettings>(this))
{
    SetRawDataFile(CreateJobRawData(this));
}

CMorvelFileDoc::~CMorvelFileDoc()
{
    // The raw lines refer to the job's points and settings: they go first.
    SetRawDataFile(nullptr);
}

CMorvelFileDoc* CMorvelFileDoc::FindActiveJobDocument()
{
    for (CDocument* document : GetOpenDocuments())
        if (auto* job = dynamic_cast<CMorvelFileDoc*>(document))
            return job;
    return nullptr;
}

// --- Opening

bool CMorvelFileDoc::OnOpenDocument(const std::string& path)
{
    SendHint(nullptr, HintNewBegin, 0);
    const bool temporary = HasTemporaryJob();
    if (!IsJobFilePath(path) && !temporary) {
        ShowMessageBoxFS(Format1("%s does not appear to be a valid file.", path), MB_OK | MB_ICONERROR);
        return false;
    }
    bool generated = false;
    if (!OpenJobFile(path, generated)) {
        ShowMessageBoxFS(Format1("Unable to open \"%s\".", GetPathFileName(path)), MB_OK | MB_ICONERROR);
        return false;
    }
    if (!LoadRawDataFromText(RawPathOf(path), false)) {
        if (!temporary)
            ShowMessageBoxFS("Morvel is unable to open raw data for this job.  Default raw data will be generated.\n\n"
                             "Default raw data consists of comment records for settings, followed by Input Point "
                             "(MP) records for each point in the job.",
                             MB_OK | MB_ICONINFORMATION);
        generated = GenerateRawData(path, !temporary);
    }
    BuildSortedIndex();
    SetPathName(path, false);
    CMorvelSettings& settings = GetMorvelSettings();
    settings.SwitchColorMode(settings.GetColorMode(), true);
    if (GetUndoManager() != nullptr)
        GetUndoManager()->RemoveAll();
    if (generated)
        SetModifiedWithText("Generated default raw data", !temporary, true);
    SendHint(nullptr, HintNewEnd, 0);
    SendHint(nullptr, HintFileState, 0);
    SendHint(nullptr, HintPointsAddedInBulk, 1);
    return true;
}

bool CMorvelFileDoc::CheckJobFile(const std::string& path, std::string& reason)
{
    reason.clear();
    CMorvelFile file;
    errno = 0;
    if (!file.Open(path.c_str(), true)) {
        const int error = errno;
        const bool opened = file.IsOpen();
        const int64_t length = opened ? file.GetLength() : -1;
        file.Close();
        if (!opened)
            reason = error != 0 ? std::string(std::strerror(error)) + "." : "The file cannot be read.";
        else if (length < int64_t(JobFileHeader::Size))
            reason = "The file is shorter than a job file's header.";
        else
            reason = "The job file's header is damaged: its creation time or its units are not valid.";
        return false;
    }
    // The reader's own walk: a point record it would refuse refuses the file here.
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    if (!file.ReadRecordBytes(bytes, size)) {
        reason = "The file cannot be read.";
        return false;
    }
    CMorvelRecordWalk walk(bytes.get(), size);
    uint32_t type = 0, length = 0;
    while (walk.Next(type, length)) {
        if (type == CMorvelFile::PointRecordType && walk.PointPayload() == nullptr) {
            reason = "A point record is cut short: the file is damaged.";
            return false;
        }
        walk.Skip();
    }
    return true;
}

bool CMorvelFileDoc::OpenJobFile(const std::string& path, bool& generatedRawData)
{
    generatedRawData = false;
    SetModifiedWithText("", true, false);
    if (path.empty())
        return false;
    m_jobFile.Close();
    if (!m_jobFile.Open(path.c_str(), true)) {
        // A header the file refused leaves it open.
        m_jobFile.Close();
        return false;
    }
    LoadSettingsFromJobFile();
    if (JobFileHeader header; m_jobFile.GetHeader(header))
        m_created = header.GetCreated();
    std::string error;
    if (!ReadJob(m_jobFile, error, false)) {
        m_jobFile.Close();
        return false;
    }
    SetModifiedWithText("", false, false);
    AddHistoryEntry("Opened " + (HasTemporaryJob() ? std::string(kUntitled) : GetPathFileName(path)));
    if (!error.empty()) {
        // The points are gone from the job at its next save: say so rather than drop them quietly.
        AddHistoryEntry(error.substr(0, error.find('\n')));
        ShowMessageBoxFS(error, MB_OK | MB_ICONWARNING);
    }
    m_jobFile.Close();
    return true;
}

bool CMorvelFileDoc::LoadSettingsFromJobFile()
{
    JobFileHeader header;
    if (!m_jobFile.GetHeader(header))
        return false;
    bool changed = false;
    SettingsChangeFlags detail;
    m_settings->LoadFromHeader(header, changed, detail);
    return true;
}

bool CMorvelFileDoc::ReadJob(CMorvelFile& file, std::string& error, bool snapshot)
{
    m_recordCount = m_pointRecordCount = m_recordsProcessed = m_pointsRead = 0;
    m_droppedPoints = 0;
    error.clear();
    m_writing = false;
    CStatusProgress scope;
    const std::string name = snapshot ? std::string(kUndoBufferName) : file.GetFileName();
    BeginProgress(&scope, name, false);

    // The records are read in one go, their frames counted for the progress as they arrive, then
    // walked in memory for the points.
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    CMorvelFrameCount count;
    if (!file.ReadRecordBytes(bytes, size, &count)) {
        EndProgress(&scope);
        return false;
    }
    m_recordCount = count.frames;
    m_pointRecordCount = count.points;
    if (!ConfirmLoad()) {
        EndProgress(&scope);
        return false;
    }
    CMorvelRecordWalk walk(bytes.get(), size);
    uint32_t type = 0, length = 0;
    BeginPointsProgress(&scope, name);

    CPointDatabase* points = GetPointDatabase();
    // Each refused point is named with the reason, so the user can find it before a save drops it.
    constexpr int32_t NamedRefusals = 20;
    std::string refusals;
    char pointName[PointTextRoom];
    char description[PointTextRoom];
    const CPointRecord* lastHeld = nullptr;
    while (walk.Next(type, length)) {
        StepProgress(&scope);
        if (type == CMorvelFile::PointRecordType) {
            ++m_pointsRead;
            // A point frame too short for its payload, or cut short, fails the whole read.
            const uint8_t* payload = walk.PointPayload();
            if (payload == nullptr) {
                if (lastHeld != nullptr)
                    SetLastPointName(lastHeld->GetName());
                EndProgress(&scope);
                return false;
            }
            DecodePointText(payload + PointNameOffset, pointName);
            DecodePointText(payload + PointDescriptionOffset, description);
            auto* point = new CPointRecord(pointName, description,
                                           CLocation(GetF64LE(payload + PointEastingOffset),
                                                     GetF64LE(payload + PointNorthingOffset),
                                                     GetF64LE(payload + PointElevationOffset)),
                                           true);
            if (points->AddInNameOrder(point, false)) {
                lastHeld = point;
            } else {
                const std::string stored = point->GetName();
                delete point;
                if (++m_droppedPoints <= NamedRefusals) {
                    const CPointRecord* earlier = IsValidPointName(stored.c_str()) ? points->FindPoint(stored, true)
                                                                                   : nullptr;
                    refusals += "\n" + stored + ": " +
                                (!IsValidPointName(stored.c_str()) ? std::string("the name is not a valid point name")
                                 : earlier ? "the name is used by the earlier point " + std::string(earlier->GetName())
                                           : std::string("the point could not be stored"));
                }
            }
        }
        walk.Skip();
        ++m_recordsProcessed;
    }
    if (lastHeld != nullptr)
        SetLastPointName(lastHeld->GetName());
    // The points appended in name order are hung in the index in one pass.
    points->Settle();
    EndProgress(&scope);
    if (m_droppedPoints > 0) {
        error = std::to_string(m_droppedPoints) + (m_droppedPoints == 1 ? " point was" : " points were") +
                " not loaded from " + (snapshot ? std::string(kUndoBufferName) : file.GetFileName()) +
                "; saving the job leaves " + (m_droppedPoints == 1 ? "it" : "them") + " out of the file." + refusals;
        if (m_droppedPoints > NamedRefusals)
            error += "\n... and " + std::to_string(m_droppedPoints - NamedRefusals) + " more.";
    }
    return true;
}

// --- Saving

bool CMorvelFileDoc::WriteJobHeader(CMorvelFile& file)
{
    JobFileHeader header;
    InitJobFileHeader(header);
    m_settings->StoreInHeader(header);
    if (m_created)
        header.SetCreated(*m_created);
    else
        m_created = header.GetCreated();
    return file.WriteHeader(header);
}

bool CMorvelFileDoc::WritePointAsRecord(CMorvelFile& file, const CPointRecord& point)
{
    JobFilePoint stored;
    stored.name = point.GetName();
    stored.description = point.GetDescription();
    stored.northing = point.GetNorthing();
    stored.easting = point.GetEasting();
    stored.elevation = point.GetElevation();
    return file.WritePoint(stored);
}

bool CMorvelFileDoc::WriteAllRecords(CMorvelFile& file, bool, bool snapshot)
{
    CStatusProgress scope;
    bool ok = WriteJobHeader(file);
    CRecordDatabase* store = GetRecordDatabase();
    m_recordCount = store->GetCount(0);
    m_recordsProcessed = 0;
    m_writing = true;
    BeginProgress(&scope, snapshot ? std::string(kUndoBufferName) : file.GetFileName(), true);
    CRecordCursor cursor = store->GetFirstRecord(0);
    while (ok) {
        CRecord* record = store->GetNextRecord(cursor);
        if (record == nullptr)
            break;
        StepProgress(&scope);
        if (record->GetType() == kRecordTypePoint)
            ok = WritePointAsRecord(file, *static_cast<CPointRecord*>(record));
        ++m_recordsProcessed;
    }
    EndProgress(&scope);
    m_writing = false;
    const std::string path = file.GetFilePath();
    const bool closed = file.Close();
    if (!ok || !closed) {
        RemoveIfExists(path);
        return false;
    }
    return true;
}

bool CMorvelFileDoc::SaveJobTo(const std::string& path, bool snapshot)
{
    m_jobFile.Close();
    if (!m_jobFile.Create(path.c_str())) {
        m_jobFile.Close();
        return false;
    }
    return WriteAllRecords(m_jobFile, false, snapshot);
}

bool CMorvelFileDoc::SaveJobReplacing(const std::string& path)
{
    const std::string temporary = MakeTempFileName(FolderOf(path));
    if (temporary.empty())
        return false;
    const bool written = SaveJobTo(temporary, false);
    TakePermissionsOf(temporary, path);
    if (!written || !RenameDurably(temporary, path)) {
        RemoveIfExists(temporary);
        return false;
    }
    return true;
}

bool CMorvelFileDoc::OnSaveDocument(const std::string& path)
{
    if (!WriteJobFiles(path))
        return false;
    SetModifiedWithText("", false, true);
    if (GetUndoManager() != nullptr)
        GetUndoManager()->SetStepsModified(true);
    SendHint(nullptr, HintSaved, 0);
    return true;
}

bool CMorvelFileDoc::WriteJobFiles(const std::string& path)
{
    m_saveFailurePath.clear();
    m_saveFailure.clear();
    // Both files are written beside their targets: a rename in one folder never crosses file
    // systems, and the old files stay untouched until both new ones are complete.
    const std::string folder = FolderOf(path);
    const std::string rawTarget = RawPathOf(path);
    int tempError = 0;
    const std::string jobTemp = MakeTempFileName(folder, tempError);
    if (jobTemp.empty()) {
        TellFolderRefused(folder, tempError);
        NoteSaveFailure(path, "No file can be created in the folder '" + folder + "'.", 0);
        return false;
    }
    errno = 0;
    if (!SaveJobTo(jobTemp, false)) {
        const int error = errno;
        NoteSaveFailure(path, "The job file could not be written.", error);
        RemoveIfExists(jobTemp);
        return false;
    }
    const std::string rawTemp = MakeTempFileName(folder, tempError);
    if (rawTemp.empty())
        TellFolderRefused(folder, tempError);
    if (rawTemp.empty() || !WriteRawData(rawTemp, false)) {
        // The raw writer does not say why, and a left-over system error would mislead.
        NoteSaveFailure(path, rawTemp.empty() ? "No file can be created in the folder '" + folder + "'."
                                              : "The raw data file could not be written.",
                        0);
        RemoveIfExists(jobTemp);
        RemoveIfExists(rawTemp);
        return false;
    }
    // Should the raw file refuse its rename, the job file goes back to its old contents so the
    // two never disagree.
    TakePermissionsOf(jobTemp, path);
    const bool hadJob = FileExists(path);
    const KeptFile oldJob = KeepOldFile(path);
    if (hadJob && oldJob.path.empty()) {
        // Without a kept old job a refused raw rename would leave a new job beside old raw data.
        NoteSaveFailure(path, "The old job file " + path + " could not be kept while the new one was put in "
                              "place, so nothing was replaced.",
                        oldJob.error);
        RemoveIfExists(jobTemp);
        RemoveIfExists(rawTemp);
        return false;
    }
    // An old job renamed aside goes back in place; the message says where it is when it cannot.
    const auto putBackOldJob = [&](const std::string& andThen) {
        if (!RenameDurably(oldJob.path, path))
            m_saveFailure +=
                "\n\nThe old job file could not be put back; it is kept as " + oldJob.path + andThen + ".";
    };
    if (!RenameDurably(jobTemp, path)) {
        const int error = errno;
        NoteSaveFailure(path, "The job file could not be replaced.", error);
        RemoveIfExists(jobTemp);
        RemoveIfExists(rawTemp);
        if (!oldJob.aside)
            RemoveIfExists(oldJob.path);
        else
            putBackOldJob("");
        return false;
    }
    ClearReadOnlyAttribute(rawTarget);
    TakePermissionsOf(rawTemp, rawTarget);
    if (!RenameDurably(rawTemp, rawTarget)) {
        const int error = errno;
        NoteSaveFailure(path, "The raw data file " + rawTarget + " could not be replaced.", error);
        RemoveIfExists(rawTemp);
        if (!hadJob)
            RemoveIfExists(path);
        else
            putBackOldJob(", and " + path + " holds the new job beside the old raw data");
        return false;
    }
    RemoveIfExists(oldJob.path);
    return true;
}

bool CMorvelFileDoc::DoFileSave()
{
    m_saveFailurePath.clear();
    m_saveFailure.clear();
    const std::string path = GetPathName();
    if (!FileExists(path))
        return DoSave(path, true) || TellSaveFailure();
    if (IsReadOnlyFile(path)) {
        GetDataFileDocShell().Beep();
        if (ShowMessageBoxFS(Format1("%s is Read-Only. Make writable?", GetPathFileName(path)),
                             MB_YESNO | MB_ICONERROR) != IDYES)
            return false;
        ClearReadOnlyAttribute(path);
    }
    if (!(IsReadOnlyFile(path) ? DoSave("", true) : DoSave(path, true)))
        return TellSaveFailure();
    return true;
}

void CMorvelFileDoc::NoteSaveFailure(const std::string& path, const std::string& what, int error)
{
    m_saveFailurePath = path;
    m_saveFailure = what;
    if (error != 0)
        m_saveFailure += "\n" + std::string(std::strerror(error));
}

bool CMorvelFileDoc::TellSaveFailure()
{
    // Without this the close would just not happen, and the person would not know the work is
    // still unsaved.
    if (!m_saveFailure.empty())
        ShowMessageBoxFS("The job could not be saved as '" + m_saveFailurePath + "'.\n\n" + m_saveFailure +
                             "\n\nThe job stays open with its changes.",
                         MB_OK | MB_ICONERROR);
    return false;
}

bool CMorvelFileDoc::DoSave(const std::string& path, bool replace)
{
    std::string name = path;
    if (name.empty()) {
        name = GetPathName();
        if (replace && name.empty()) {
            name = GetTitle();
            const auto cut = name.find_first_of(" #%;/\\");
            if (cut != std::string::npos)
                name.erase(cut);
            if (!name.empty())
                name += "." + GetJobExtension();
        }
        if (!GetDataFileDocShell().DoPromptFileName(name, replace ? "Save As" : "Save a Copy As"))
            return false;
    }
    CBusyCursor busy;
    // The save writes beside the target and renames: a failure creates nothing to clean up and
    // leaves any file already at that name alone.
    if (!OnSaveDocument(name))
        return false;
    if (replace)
        SetPathName(name, false);
    // What the program wrote itself is recorded, so the watcher never takes it for another
    // program's change (also when the job file had vanished before this save).
    SendHint(nullptr, HintFileState, 0);
    return true;
}

bool CMorvelFileDoc::SaveModified()
{
    // A job that was never saved has no file to miss.
    if (!GetPathName().empty() && !FileExists(GetPathName()))
        SetModifiedWithText("Job file not found", true, true);
    SendHint(nullptr, HintModifiedState, 0);
    return CDataFileDoc::SaveModified();
}

// --- Reloading and snapshots

bool CMorvelFileDoc::Reload(bool noPrompt)
{
    if (GetViewCount() == 0)
        return false;
    const std::string path = GetPathName();
    if (!noPrompt && IsModified() &&
        ShowMessageBoxFS(Format1("Reload '%s'?\n\n", GetPathFileName(path)) + ChangesLostWarning,
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;

    SetModifiedWithText("", false, true);
    SetLastPointName("1");
    DeleteContents();
    BuildSortedIndex();

    const std::string rawPath = RawPathOf(path);
    const bool haveJob = FileExists(path);
    const bool haveRaw = FileExists(rawPath);
    CDataFileDocShell& shell = GetDataFileDocShell();
    auto fail = [this] {
        ShowJobFileView();
        return false;
    };
    if (!haveJob && !haveRaw) {
        ShowMessageBoxFS("Data files not found.", MB_OK | MB_ICONERROR);
        return false;
    }
    if (haveJob) {
        if (!OnOpenDocument(path))
            return fail();
        SetModifiedWithText(haveRaw ? "" : "Reload Job", !haveRaw, true);
    } else {
        bool ignoreStorePoints = false;
        bool ignoreDeleted = false;
        if (shell.RunRegenerationOptions(ignoreStorePoints, ignoreDeleted) != IDOK)
            return fail();
        const uint32_t options = (ignoreStorePoints ? kRegenerateIgnoreStorePoints : 0) |
                                 (ignoreDeleted ? kRegenerateIgnoreDeleted : 0) | kRegenerateFromDialog;
        if (!CreateEmptyJobFile(path) || !OnOpenDocument(path))
            return fail();
        SetModifiedWithText("Reload Job", true, true);
        shell.PostRegenerateCoordinates(GetFirstView(), options | kRegenerateFromReload);
        ShowJobFileView();
    }
    if (GetUndoManager() != nullptr)
        GetUndoManager()->RemoveAll();
    SendHint(nullptr, HintReloaded, 0);
    SendHint(nullptr, HintFileState, 0);
    return true;
}

bool CMorvelFileDoc::ReloadThroughCopy(const std::string& jobSnapshot, const std::string& rawSnapshot,
                                       CDataFileDocSettings*, bool modifiedAfter)
{
    CModifiedFlagGuard guard(this);
    SetLastPointName("1");
    DeleteContents();

    // The copies go to the program's own temporary folder, which is there even when the job's
    // folder was moved or unmounted; a restore that fails there can still be undone.
    const std::string jobCopy = MakeTempFilePath();
    const std::string rawCopy = MakeTempFilePath();
    auto fail = [&] {
        m_jobFile.Close();
        RemoveIfExists(jobCopy);
        RemoveIfExists(rawCopy);
        ShowJobFileView();
        return false;
    };
    std::error_code ec;
    if (jobCopy.empty() || rawCopy.empty())
        return fail();
    fs::copy_file(jobSnapshot, jobCopy, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return fail();
    // A raw snapshot that cannot be copied is read as missing, and default raw data is made.
    fs::copy_file(rawSnapshot, rawCopy, fs::copy_options::overwrite_existing, ec);
    if (ec)
        RemoveIfExists(rawCopy);

    m_jobFile.Close();
    if (!m_jobFile.Open(jobCopy.c_str(), true) || !LoadSettingsFromJobFile())
        return fail();
    std::string error;
    if (!ReadJob(m_jobFile, error, true))
        return fail();
    if (!LoadRawDataFromText(rawCopy, true))
        GenerateRawData(GetPathName(), true);
    BuildSortedIndex();
    m_jobFile.Close();
    RemoveIfExists(jobCopy);
    RemoveIfExists(rawCopy);
    guard.SetRestoreState(modifiedAfter);
    return true;
}

bool CMorvelFileDoc::WriteJobSnapshot(const std::string& path)
{
    CModifiedFlagGuard guard(this);
    if (FileExists(path) && IsReadOnlyFile(path))
        return false;
    return SaveJobTo(path, true);
}

bool CMorvelFileDoc::WriteRawDataSnapshot(const std::string& path)
{
    CModifiedFlagGuard guard(this);
    if (FileExists(path) && IsReadOnlyFile(path))
        return false;
    return WriteRawData(path, true);
}

void CMorvelFileDoc::DeleteContents()
{
    CStatusProgress scope;
    scope.Begin("Unloading");
    int32_t step = 0;
    auto advance = [&] { scope.SetPercent(MulDiv(++step, 100, 7)); };
    // The grid order points at the records: it is emptied before the store frees them.
    ClearSortedIndex();
    advance();
    GetRawDataLines().clear();
    advance();
    if (GetRawDataFile() != nullptr)
        GetRawDataFile()->Clear();
    advance();
    ClearCurrentRecord();
    if (GetSelOperator() != nullptr)
        GetSelOperator()->InvalidateCount();
    advance();
    GetRecordDatabase()->RemoveAll();
    advance();
    SendHint(nullptr, HintUnloading, 0);
    advance();
    scope.End();
    advance();
}

// --- Raw data

bool CMorvelFileDoc::LoadRawDataFromText(const std::string& path, bool snapshot)
{
    return GetRawDataFile() != nullptr && GetRawDataFile()->LoadRawDataFromText(path, snapshot);
}

bool CMorvelFileDoc::WriteRawData(const std::string& path, bool snapshot)
{
    return GetRawDataFile() != nullptr && GetRawDataFile()->SaveRawDataToText(path, snapshot);
}

bool CMorvelFileDoc::GenerateRawData(const std::string&, bool markModified)
{
    return GetRawDataFile() != nullptr && GetRawDataFile()->GenerateRawData(markModified);
}

void CMorvelFileDoc::ReduceRawData(bool ignoreStorePoints, bool ignoreDeleted, CReport* report,
                                   std::vector<std::string>* duplicates)
{
    if (GetRawDataFile() != nullptr)
        GetRawDataFile()->ReduceRawData(ignoreStorePoints, ignoreDeleted, report, duplicates);
}

// --- Names and paths

bool CMorvelFileDoc::IsValidPointName(const char* name) { return ::IsValidPointName(name); }

std::string CMorvelFileDoc::GetJobFileName() { return GetPathFileName(GetPathName()); }

std::string CMorvelFileDoc::GetRawDataFileName()
{
    std::string name = GetJobFileName();
    ChangePathExtension(name, GetRawDataExtension());
    return name;
}

CDocTemplate* CMorvelFileDoc::GetJobDocTemplate() { return GetDataFileDocShell().GetJobDocTemplate(); }

// --- Settings

void CMorvelFileDoc::ApplyJobSettings(const JobFileHeader& header)
{
    bool changed = false;
    SettingsChangeFlags detail;
    m_settings->LoadFromHeader(header, changed, detail);
    if (!changed)
        return;
    if (detail.AnyChanged()) {
        AppendSettingsComments(this, detail);
        SendHint(nullptr, HintJobSettingsChanged, 0);
    }
    SetModifiedWithText("Changed job settings", true, true);
}

void CMorvelFileDoc::StoreSettingsInHeader(JobFileHeader& header) { m_settings->StoreInHeader(header); }

// --- New job files

bool CMorvelFileDoc::ExportSelection(const std::string& path, bool selectedOnly, bool withRawData,
                                     CSelection* selection)
{
    CSelection* chosen = nullptr;
    if (selectedOnly) {
        chosen = selection != nullptr ? selection : GetCurrentSelection();
        if (chosen == nullptr)
            return false;
    }
    CRecordDatabase* store = GetRecordDatabase();
    const int64_t count = chosen != nullptr ? chosen->GetCount() : store->GetCount(0);

    CStatusProgress scope;
    scope.Begin("Exporting");
    CBusyCursor busy;
    CMorvelFileDoc exported;
    JobFileHeader header;
    InitJobFileHeader(header);
    m_settings->StoreInHeader(header);
    bool changed = false;
    SettingsChangeFlags detail;
    exported.GetDocSettings()->LoadFromHeader(header, changed, detail);

    int64_t done = 0;
    CRecordCursor cursor = store->GetFirstRecord(0);
    while (CRecord* record = store->GetNextRecord(cursor)) {
        if (chosen != nullptr && !chosen->IsSelected(record))
            continue;
        scope.SetPercent(MulDiv(++done, 100, count));
        if (record->GetType() != kRecordTypePoint)
            continue;
        const auto* point = static_cast<const CPointRecord*>(record);
        auto* copy = new CPointRecord();
        copy->SetName(point->GetName());
        copy->SetDescription(point->GetDescription());
        copy->SetLocation(point->GetLocation(), true);
        if (!exported.AddRecord(copy)) {
            delete copy;
            return false;
        }
    }
    if (!exported.SaveJobReplacing(path))
        return false;
    if (EqualNoCase(path, GetPathName()))
        SendHint(nullptr, HintFileState, 0);
    const std::string rawPath = RawPathOf(path);
    if (withRawData) {
        if (!CreateRawDataFromPoints(&exported, rawPath))
            return false;
        if (!GetPathName().empty() && RawPathOf(GetPathName()) == rawPath)
            SendHint(nullptr, HintFileState, 0);
    }
    return true;
}

bool CMorvelFileDoc::CreateEmptyJobFile(const std::string& path)
{
    CMorvelFileDoc empty;
    return empty.SaveJobReplacing(path);
}

namespace {

// One field of a coordinate line: separators are blanks and at most one comma, so "a, b" is two
// fields and "a,,b" three.
bool NextField(const std::string& line, size_t& at, std::string& field)
{
    field.clear();
    if (at > line.size())
        return false;
    if (at == line.size()) {
        at = line.size() + 1;
        return false;
    }
    size_t end = at;
    while (end < line.size() && line[end] != ',' && line[end] != ' ' && line[end] != '\t')
        ++end;
    field = line.substr(at, end - at);
    size_t next = end;
    while (next < line.size() && (line[next] == ' ' || line[next] == '\t'))
        ++next;
    if (next < line.size() && line[next] == ',') {
        ++next;
        while (next < line.size() && (line[next] == ' ' || line[next] == '\t'))
            ++next;
    }
    at = next;
    return true;
}

double ReadCoordinate(const std::string& field)
{
    double value = NoValue;
    const char* first = field.data();
    const char* last = first + field.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return NoValue;
    return value;
}

} // namespace

bool CMorvelFileDoc::CreateJobFromTextCoordinates(const JobFileHeader& header, const std::string& textPath,
                                                  const std::string& jobPath, std::string& error,
                                                  uint32_t& skipped)
{
    std::error_code ec;
    const auto size = fs::file_size(textPath, ec);
    if (ec || size > kMaxTextCoordinateBytes)
        return false;
    std::ifstream in(textPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = DecodeExternalText(bytes.str());

    CBusyCursor busy;
    CMorvelFileDoc job;
    job.ApplyJobSettings(header);
    double scale = 1.0;
    if (header.GetDistanceUnit() == 1)
        scale = 0.3048;
    else if (header.GetDistanceUnit() == 2)
        scale = 0.30480060960121924;

    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t at = 0;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        std::string name;
        if (!NextField(line, at, name) || name.empty())
            return false;
        std::string field;
        double values[3] = {NoValue, NoValue, NoValue};
        for (double& value : values)
            if (NextField(line, at, field))
                value = ReadCoordinate(field);
        const bool plane = values[0] > NoValueLimit && values[1] > NoValueLimit;
        if (!plane) {
            if (values[2] > NoValueLimit) {
                ++skipped;
                continue;
            }
            return false;
        }
        std::string description = at < line.size() ? line.substr(at) : std::string();
        while (!description.empty() && (description.back() == ' ' || description.back() == '\t'))
            description.pop_back();
        const double elevation = values[2] > NoValueLimit ? values[2] * scale : NoValue;
        auto* point = new CPointRecord(name.c_str(), description.c_str(),
                                       CLocation(values[1] * scale, values[0] * scale, elevation), true);
        if (!job.AddRecord(point)) {
            delete point;
            error = kFailedToWrite;
            return false;
        }
    }
    if (!job.SaveJobReplacing(jobPath)) {
        error = kFailedToWrite;
        return false;
    }
    return true;
}

// --- Progress

void CMorvelFileDoc::BeginProgress(CStatusProgress* scope, const std::string& name, bool saving)
{
    if (scope == nullptr)
        return;
    scope->Begin((saving ? "Saving " : "Loading ") + name);
    m_progressSteps = 0;
    m_lastPercent = -1;
    m_nextPercentStep = 0;
}

void CMorvelFileDoc::BeginPointsProgress(CStatusProgress* scope, const std::string& name)
{
    if (scope != nullptr)
        scope->Begin("Loading " + name + " Points");
}

void CMorvelFileDoc::BeginLineworkProgress(CStatusProgress* scope, const std::string& name)
{
    if (scope != nullptr)
        scope->Begin("Loading " + name + " Linework");
}

bool CMorvelFileDoc::StepProgress(CStatusProgress* scope)
{
    ++m_progressSteps;
    // The writer counts the records it writes; the reader the point records it counted as it read.
    // With nothing to count there is no percentage to show.
    const int32_t total = m_writing ? m_recordCount : m_pointRecordCount;
    if (total <= 0 || scope == nullptr)
        return true;
    // The rounded percentage changes every hundredth of the total at most: the steps between
    // are not divided out.
    if (m_progressSteps < m_nextPercentStep)
        return true;
    const int32_t percent = MulDiv(m_progressSteps, 100, total);
    if (percent != m_lastPercent) {
        m_lastPercent = percent;
        scope->SetPercent(percent);
    }
    // MulDiv rounds (100 s + total / 2) / total down: the next percentage comes at the first step
    // s with 100 s >= (percent + 1) total - total / 2.
    const int64_t need = (int64_t(percent) + 1) * total - total / 2;
    m_nextPercentStep = need <= 0 ? 0 : (need + 99) / 100;
    return true;
}

void CMorvelFileDoc::EndProgress(CStatusProgress* scope)
{
    if (scope != nullptr)
        scope->End();
}
