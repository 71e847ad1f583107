#include "views/JobFileWatcher.h"

#include "core/TextUtil.h"
#include "model/MorvelFileDoc.h"

#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

namespace {
bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
} // namespace

CJobFileWatcher::FileStatus CJobFileWatcher::ReadStatus(const std::string& path)
{
    FileStatus status;
    if (path.empty())
        return status;
    std::error_code error;
    const fs::path p = fs::path(path);
    if (!fs::is_regular_file(p, error) || error)
        return status;
    const fs::file_time_type time = fs::last_write_time(p, error);
    if (error)
        return status;
    status.known = true;
    status.time = time;
    return status;
}

std::string CJobFileWatcher::RawPathOf(const std::string& jobPath)
{
    const fs::path p = fs::path(jobPath);
    if (!EqualsNoCase(p.extension().string(), ".Mvj"))
        return {};
    fs::path raw = p;
    raw.replace_extension(".Mvr");
    return raw.string();
}

std::string CJobFileWatcher::FileNameOf(const std::string& path) { return fs::path(path).filename().string(); }

void CJobFileWatcher::Record(const std::string& jobPath)
{
    if (jobPath.empty()) {
        m_job = {};
        m_raw = {};
        m_watchedFileName.clear();
        return;
    }
    m_job = ReadStatus(jobPath);
    m_watchedFileName = FileNameOf(jobPath);
    m_raw = ReadStatus(RawPathOf(jobPath));
}

bool CJobFileWatcher::IsWatching(const std::string& jobPath) const
{
    return EqualsNoCase(FileNameOf(jobPath), m_watchedFileName);
}

bool CJobFileWatcher::Differs(const FileStatus& now, const FileStatus& recorded)
{
    return now.known != recorded.known || (now.known && now.time != recorded.time);
}

bool CJobFileWatcher::Poll(const std::string& jobPath) const
{
    if (jobPath.empty())
        return m_job.known;
    return Differs(ReadStatus(jobPath), m_job) || Differs(ReadStatus(RawPathOf(jobPath)), m_raw);
}

CJobFileWatcher::Decision CJobFileWatcher::OnOutsideChange(const std::string& jobPath, bool isScratchJob,
                                                           bool unsavedChanges)
{
    Decision decision = ReadOutsideChange(jobPath, isScratchJob);
    if (decision.action == Action::Ask && unsavedChanges) {
        decision.prompt += std::string("\n\n") + ChangesLostWarning;
        decision.defaultNo = true;
    }
    return decision;
}

CJobFileWatcher::Decision CJobFileWatcher::ReadOutsideChange(const std::string& jobPath, bool isScratchJob)
{
    if (isScratchJob || !IsWatching(jobPath))
        return {};
    if (jobPath.empty()) {
        m_job = {};
        m_raw = {};
        return {Action::MarkModified, {}};
    }
    const std::string rawPath = RawPathOf(jobPath);
    m_pendingJob = ReadStatus(jobPath);
    m_pendingRaw = ReadStatus(rawPath);
    if (!m_pendingJob.known && !m_pendingRaw.known) {
        // Both gone: the user can save the job again from memory.
        m_job = {};
        m_raw = {};
        return {Action::MarkModified, {}};
    }
    const bool jobChanged = m_pendingJob.known && (!m_job.known || m_job.time != m_pendingJob.time);
    const bool rawChanged = m_pendingRaw.known && (!m_raw.known || m_raw.time != m_pendingRaw.time);
    if (jobChanged && rawChanged) {
        std::string prompt = textutil::ReplaceFirst("Files '%s' and '%s' have been modified.\n\nReload from files?", "%s", jobPath);
        return {Action::Ask, textutil::ReplaceFirst(prompt, "%s", rawPath)};
    }
    if (jobChanged || rawChanged)
        return {Action::Ask, textutil::ReplaceFirst("File '%s' has been modified.\n\nReload from file?", "%s",
                                     jobChanged ? jobPath : rawPath)};
    m_job = m_pendingJob;
    m_raw = m_pendingRaw;
    if (!m_job.known || !m_raw.known)
        return {Action::MarkModified, {}};
    return {};
}

CJobFileWatcher::Decision CJobFileWatcher::Answer(bool reload)
{
    if (reload)
        return {};
    m_job = m_pendingJob;
    m_raw = m_pendingRaw;
    return {Action::MarkModified, {}};
}
