#include "transfer/backup/BackupArchive.h"

#include "core/FileCE.h"
#include "core/PathHelpers.h"
#include "core/StatusProgress.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupTempFile.h"

#include <cstdio>
#include <map>
#include <new>
#include <unistd.h>

namespace {

// The part after the last '/' or '\': a stored name never chooses the folder it lands in.
std::string LastNameComponent(const std::string& name)
{
    const size_t at = name.find_last_of("/\\");
    return at == std::string::npos ? name : name.substr(at + 1);
}

} // namespace

CBackupArchive::CBackupArchive(uint32_t n, bool extra)
{
    Allocate(n, extra);
}

bool CBackupArchive::Allocate(uint32_t n, bool extra)
{
    m_records.clear();
    m_count = 0;
    m_extra = false;
    const uint64_t size = uint64_t(n) + (extra ? 1 : 0);
    if (size == 0 || n == 0)
        return true;
    try {
        m_records.resize(size);
    } catch (const std::bad_alloc&) {
        m_records.clear();
        return false;
    }
    m_extra = extra;
    return true;
}

CBackupFileRecord* CBackupArchive::GetRecord(uint32_t i)
{
    return i < m_records.size() ? &m_records[i] : nullptr;
}

uint32_t CBackupArchive::GetRecordType(uint32_t i) const
{
    return i < m_records.size() ? m_records[i].GetType() : BackupTypeUnknown;
}

std::string CBackupArchive::GetRecordName(uint32_t i) const
{
    return i < m_records.size() ? m_records[i].GetName() : std::string();
}

CBackupFileRecord* CBackupArchive::GetExtraRecord()
{
    return m_extra ? GetRecord(m_count) : nullptr;
}

uint64_t CBackupArchive::GetTotalSize() const
{
    uint64_t total = 0;
    for (uint32_t i = 0; i < m_count && i < m_records.size(); ++i)
        total += m_records[i].GetTotalSize();
    if (m_extra && m_count < m_records.size())
        total += m_records[m_count].GetTotalSize();
    return total;
}

std::string CBackupArchive::GetTypeName(uint32_t code)
{
    static const char* const names[] = {
        "Job", "Raw", "Road", "Template", "Feature", "Snapshot", "Generic", "Project", "Unknown", "Rk7",
        "Rv7", "Nik", "Nrd", "Morvel Raw Data", "Morvel Ascii Coordinates", "Morvel Raw Data"};
    return code < std::size(names) ? names[code] : "";
}

bool CBackupArchive::IsCountedType(uint32_t code)
{
    return code <= BackupTypeDownloadedRawOtherModels && code != BackupTypeSnapshot && code != BackupTypeUnknown;
}

bool CBackupArchive::AddRecord(const std::string& name, std::unique_ptr<uint8_t[]> data, uint32_t length,
                               uint32_t type)
{
    if (m_records.empty() || !IsCountedType(type))
        return false;
    // The Snapshot record, when there is one, keeps the last place.
    const uint32_t counted = GetCapacity() - (m_extra ? 1 : 0);
    if (m_count >= counted)
        return false;
    m_records[m_count].Set(name, std::move(data), length, type);
    ++m_count;
    return true;
}

bool CBackupArchive::AddSnapshotRecord(std::unique_ptr<uint8_t[]> data, uint32_t length, int a, int b, int c,
                                       int d)
{
    if (m_records.empty() || m_count >= m_records.size())
        return false;
    char name[64];
    std::snprintf(name, sizeof name, "%d,%d,%d,%d", a, b, c, d);
    m_records[m_count].Set(name, std::move(data), length, BackupTypeSnapshot);
    m_extra = true;
    return true;
}

bool CBackupArchive::Write(CFileCE* file) const
{
    if (!file)
        return false;
    for (uint32_t i = 0; i < m_count; ++i)
        if (!m_records[i].Write(file))
            return false;
    if (m_extra && m_count < m_records.size())
        return m_records[m_count].Write(file);
    return true;
}

bool CBackupArchive::Read(CFileCE* file, uint32_t n, bool extra, uint64_t limit)
{
    const uint64_t wanted = uint64_t(n) + (extra ? 1 : 0);
    // Every record takes at least its fixed part, so a count the limit cannot hold is refused
    // before the array is made.
    if (!file || wanted * CBackupFileRecord::FixedSize > limit || !Allocate(n, extra)) {
        Allocate(0, false);
        return false;
    }
    for (uint64_t i = 0; i < wanted && i < m_records.size(); ++i) {
        const int64_t before = file->GetPosition();
        if (before < 0 || !m_records[i].Read(file, limit)) {
            Allocate(0, false);
            return false;
        }
        limit -= m_records[i].GetTotalSize();
        if (IsCountedType(m_records[i].GetType()))
            ++m_count;
    }
    return true;
}

bool CBackupArchive::Extract(const std::string& folder, bool& asked)
{
    asked = false;
    const std::string dir = FolderWithSeparator(folder);
    struct Item
    {
        const CBackupFileRecord* record;
        std::string destination;
    };
    std::vector<Item> items;
    for (uint32_t i = 0; i < m_count && i < m_records.size(); ++i) {
        const CBackupFileRecord& record = m_records[i];
        if (!IsCountedType(record.GetType()))
            continue;
        const std::string name = LastNameComponent(record.GetName());
        if (name.empty() || name == "." || name == "..")
            return false;
        items.push_back({&record, dir + name});
    }

    // Destination to its temporary file; a later record with the same destination wins.
    std::map<std::string, std::string> pending;
    auto removePending = [&pending] {
        for (const auto& entry : pending)
            ::unlink(entry.second.c_str());
        pending.clear();
    };

    uint64_t counter = 0;
    const uint64_t total = GetTotalSize();
    {
        CStatusProgress progress;
        for (const Item& item : items) {
            progress.Begin("Decompressing...");
            ArithmeticCoder coder;
            uint8_t* plain = nullptr;
            size_t plainLength = 0;
            if (!coder.DecompressWithProgress(item.record->GetData(), item.record->GetDataLength(), &plain,
                                              &plainLength, progress, total, counter)) {
                removePending();
                return false;
            }
            std::unique_ptr<uint8_t[]> owned(plain);
            std::string temp;
            const int fd = CreateSiblingTempFile(dir, temp);
            if (fd < 0) {
                removePending();
                return false;
            }
            if (!WriteAndCloseFile(fd, owned.get(), plainLength)) {
                ::unlink(temp.c_str());
                removePending();
                return false;
            }
            auto [at, inserted] = pending.emplace(item.destination, temp);
            if (!inserted) {
                ::unlink(at->second.c_str());
                at->second = temp;
            }
        }
    }

    bool replaces = false;
    for (const auto& entry : pending)
        replaces = replaces || FileExists(entry.first) || FolderExists(entry.first);
    if (replaces) {
        asked = true;
        const int answer = ShowMessageBoxFS("Some of the files in this archive will overwrite files in the "
                                            "destination folder.\n\nDo you want to continue?",
                                            MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) {
            removePending();
            return false;
        }
    }
    // Each file is replaced in one step, so an interrupted extraction never leaves a file half written.
    bool ok = true;
    for (const auto& entry : pending) {
        if (!RenameDurably(entry.second, entry.first)) {
            ::unlink(entry.second.c_str());
            ok = false;
        }
    }
    pending.clear();
    return ok;
}
