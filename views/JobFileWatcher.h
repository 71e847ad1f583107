#pragma once

#include <filesystem>
#include <string>

// Watches a job's file and its raw data file for changes made by other programs. The view records
// the files' state when the job is loaded or saved (hint 47), polls once a second while the
// program is in front (timer 21) and, on a change (hint 48), asks whether to reload. This class
// holds the state and the decisions; the view does the asking, the reloading and the hints.
class CJobFileWatcher
{
public:
    struct FileStatus
    {
        bool known = false; // the file's time could be read
        std::filesystem::file_time_type time{};
        bool operator==(const FileStatus&) const = default;
    };

    enum class Action
    {
        Nothing,      // not this job's files, or the scratch job
        Ask,          // put the prompt as a Yes/No question; then Answer
        MarkModified, // keep the job in memory, marked modified, and send hint 30
    };
    struct Decision
    {
        Action action = Action::Nothing;
        std::string prompt;
        bool defaultNo = false; // Ask: No is the default answer (unsaved changes would go)
    };

    // The file's time, or unknown when it cannot be read (gone, no access); never throws.
    static FileStatus ReadStatus(const std::string& path);
    // The raw data file beside a job: the same path with "Mvr" for "Mvj"; empty for other names.
    static std::string RawPathOf(const std::string& jobPath);
    static std::string FileNameOf(const std::string& path);

    // Hint 47: remembers the job's files as they are now; an empty path forgets them.
    void Record(const std::string& jobPath);
    // Whether a poll applies to the job with this path: its name is the one recorded.
    bool IsWatching(const std::string& jobPath) const;
    // Timer 21: true when hint 48 should be sent (a file appeared, went or changed its time).
    bool Poll(const std::string& jobPath) const;
    // Hint 48: what to do about the files as they are now. With unsaved changes the question warns
    // that reloading drops them, and a stray Enter keeps them.
    Decision OnOutsideChange(const std::string& jobPath, bool isScratchJob, bool unsavedChanges);
    // The person's answer to Ask: Nothing on Yes (the caller reloads), else MarkModified with the
    // new state recorded, so the same change is not asked about again.
    Decision Answer(bool reload);

    const FileStatus& GetJobStatus() const { return m_job; }
    const FileStatus& GetRawStatus() const { return m_raw; }
    const std::string& GetWatchedFileName() const { return m_watchedFileName; }

private:
    static bool Differs(const FileStatus& now, const FileStatus& recorded);
    Decision ReadOutsideChange(const std::string& jobPath, bool isScratchJob);

    std::string m_watchedFileName;
    FileStatus m_job;
    FileStatus m_raw;
    // What OnOutsideChange read, recorded once the person has answered.
    FileStatus m_pendingJob;
    FileStatus m_pendingRaw;
};
