#include "transfer/backup/BackupFile.h"

#include "core/LittleEndian.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "core/StringFilter.h"
#include "core/WideText.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "transfer/backup/ArithmeticCoder.h"
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupTempFile.h"
#include "transfer/backup/CompanionFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <unistd.h>
#include <vector>

namespace {

std::function<void(uint32_t, intptr_t, intptr_t)>& BackupSender()
{
    static std::function<void(uint32_t, intptr_t, intptr_t)> sender;
    return sender;
}

std::string Upper(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool SameNoCase(const std::string& a, const std::string& b)
{
    return Upper(a) == Upper(b);
}

std::string ReplaceFirst(std::string text, const std::string& value)
{
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

// The files of a job that belong together, found by the job's extension, and the extension the
// data collector gives its own backup copy of them.
struct JobPair
{
    const char* first;
    const char* second;
    const char* backupMark; // null: the pair has no backup copy of its own
};

// The program's own job and raw data files (Mvj, Mvr) travel as a pair as well.
constexpr JobPair JobPairs[] = {
    {"Rk7", "Rv7", "Rak"},
    {"Job", "Raw", "Jak"},
    {"Nik", "Nrd", "Nak"},
    {"Mvj", "Mvr", nullptr},
};

const JobPair* FindJobPair(const std::string& extension)
{
    for (const JobPair& pair : JobPairs)
        if (SameNoCase(extension, pair.first) || SameNoCase(extension, pair.second))
            return &pair;
    return nullptr;
}

uint32_t RecordTypeForName(const std::string& name)
{
    static const std::pair<const char*, uint32_t> types[] = {
        {"Pro", BackupTypeProject}, {"Job", BackupTypeJob}, {"Rk7", BackupTypeRk7}, {"Nik", BackupTypeNik},
        {"Rv7", BackupTypeRv7},     {"Raw", BackupTypeRaw}, {"Nrd", BackupTypeNrd},
    };
    const std::string extension = GetPathExtension(name);
    for (const auto& [text, type] : types)
        if (SameNoCase(extension, text))
            return type;
    return BackupTypeGeneric;
}

// The file of that name in the folder. Names written on the collector may differ in case from the
// files on disk, and the names are gathered without regard to case, so a file found only by a
// case-blind match is taken too.
std::string PathInFolder(const std::string& folder, const std::string& name)
{
    std::string path = folder + name;
    if (FileExists(path))
        return path;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (SameNoCase(candidate, name) && FileExists(folder + candidate))
            return folder + candidate;
    }
    return path;
}

} // namespace

void SetBackupMainWindowSender(std::function<void(uint32_t, intptr_t, intptr_t)> sender)
{
    BackupSender() = std::move(sender);
}

CBackupFile::CBackupFile() : CFileCE(false) {}

void CBackupFile::EncodeHeader(uint8_t* image) const
{
    std::memset(image, 0, HeaderSize);
    std::memcpy(image, MagicText, 31);
    PutU32LE(image + 32, Version);
    PutU32LE(image + 36, m_count);
    for (uint32_t i = 0; i < MaxSlots; ++i) {
        uint8_t* p = image + SlotsOffset + SlotSize * i;
        const BackupArchiveSlot& slot = m_slots[i];
        for (size_t u = 0; u < slot.name.size(); ++u)
            PutU16LE(p + 2 * u, slot.name[u]);
        PutU32LE(p + 128, slot.dataOffset);
        PutU32LE(p + 132, slot.dataSize);
        PutU32LE(p + 136, slot.recordCount);
        PutU32LE(p + 140, slot.extraFlag);
        slot.time.Store(p + 144);
    }
}

bool CBackupFile::DecodeHeader(const uint8_t* image, int64_t fileLength)
{
    if (std::memcmp(image, MagicText, 31) != 0) {
        m_openError = "not a backup file";
        return false;
    }
    if (GetU32LE(image + 32) != Version) {
        m_openError = "unknown backup file version";
        return false;
    }
    const uint32_t count = GetU32LE(image + 36);
    if (count > MaxSlots) {
        m_openError = "more than 64 archives";
        return false;
    }
    std::array<BackupArchiveSlot, MaxSlots> slots {};
    for (uint32_t i = 0; i < MaxSlots; ++i) {
        const uint8_t* p = image + SlotsOffset + SlotSize * i;
        BackupArchiveSlot& slot = slots[i];
        for (size_t u = 0; u < slot.name.size(); ++u)
            slot.name[u] = static_cast<char16_t>(GetU16LE(p + 2 * u));
        // The name is read within its field even when the file gives it no terminator.
        slot.name.back() = 0;
        slot.dataOffset = GetU32LE(p + 128);
        slot.dataSize = GetU32LE(p + 132);
        slot.recordCount = GetU32LE(p + 136);
        slot.extraFlag = GetU32LE(p + 140);
        slot.time.Load(p + 144);
        if (i >= count || !slot.HasData())
            continue;
        if (slot.dataOffset < HeaderSize || int64_t(slot.dataOffset) + slot.dataSize > fileLength) {
            m_openError = "archive " + std::to_string(i) + " lies outside the file";
            return false;
        }
        const uint64_t records = uint64_t(slot.recordCount) + (slot.extraFlag ? 1 : 0);
        if (records * CBackupFileRecord::FixedSize > slot.dataSize) {
            m_openError = "archive " + std::to_string(i) + " claims more records than its data holds";
            return false;
        }
    }
    m_count = count;
    m_slots = slots;
    return true;
}

bool CBackupFile::WriteHeader()
{
    std::vector<uint8_t> image(HeaderSize);
    EncodeHeader(image.data());
    return SeekTo(0) && Write(image.data(), HeaderSize) && Flush();
}

bool CBackupFile::ReadHeader()
{
    std::vector<uint8_t> image(HeaderSize);
    if (!SeekTo(0) || !Read(image.data(), HeaderSize)) {
        m_openError = "the header is cut short";
        return false;
    }
    return DecodeHeader(image.data(), GetLength());
}

bool CBackupFile::Create(const std::string& path)
{
    m_count = 0;
    m_slots = {};
    m_openError.clear();
    if (!CFileCE::Open(path, modeCreate | shareDenyWrite | modeReadWrite))
        return false;
    if (!WriteHeader()) {
        CFileCE::Close();
        return false;
    }
    return true;
}

bool CBackupFile::Open(const std::string& path, bool readOnly)
{
    m_openError.clear();
    if (!CFileCE::Open(path, shareDenyWrite | (readOnly ? modeRead : modeReadWrite))) {
        m_openError = GetLastErrorText();
        return false;
    }
    if (!ReadHeader()) {
        CFileCE::Close();
        m_count = 0;
        m_slots = {};
        return false;
    }
    return true;
}

bool CBackupFile::AddArchiveSlot(const std::string& name)
{
    if (m_count >= MaxSlots)
        return false;
    BackupArchiveSlot slot;
    // Whole characters only: a pair that would not fit is left out with everything after it.
    const std::u16string units = Utf8ToUtf16(name, MaxNameCharacters);
    std::copy(units.begin(), units.end(), slot.name.begin());
    m_slots[m_count] = slot;
    ++m_count;
    if (!WriteHeader()) {
        --m_count;
        m_slots[m_count] = {};
        return false;
    }
    return true;
}

std::optional<BackupArchiveSlot> CBackupFile::GetArchiveSlot(uint32_t index, CBackupArchive* archive)
{
    if (index >= m_count)
        return std::nullopt;
    const BackupArchiveSlot& slot = m_slots[index];
    if (archive && slot.HasData()) {
        if (!SeekTo(slot.dataOffset) || !archive->Read(this, slot.recordCount, slot.extraFlag != 0, slot.dataSize))
            archive->Allocate(0, false);
    }
    return slot;
}

bool CBackupFile::GetArchiveName(uint32_t index, std::string& name) const
{
    if (index >= m_count)
        return false;
    name = Utf16ToUtf8(std::u16string_view(m_slots[index].name.data(), m_slots[index].name.size()));
    return true;
}

bool CBackupFile::SetArchiveName(uint32_t index, const std::string& name)
{
    if (index >= m_count)
        return false;
    const auto old = m_slots[index].name;
    m_slots[index].name = {};
    const std::u16string units = Utf8ToUtf16(name, MaxNameCharacters);
    std::copy(units.begin(), units.end(), m_slots[index].name.begin());
    if (!WriteHeader()) {
        m_slots[index].name = old;
        return false;
    }
    return true;
}

SystemTime CBackupFile::GetArchiveTime(uint32_t index) const
{
    return index < m_count ? m_slots[index].time : SystemTime();
}

bool CBackupFile::SetArchiveTime(uint32_t index, const SystemTime& time)
{
    if (index >= m_count)
        return false;
    const SystemTime old = m_slots[index].time;
    m_slots[index].time = time;
    if (!WriteHeader()) {
        m_slots[index].time = old;
        return false;
    }
    return true;
}

bool CBackupFile::WriteArchiveData(uint32_t index, const CBackupArchive& archive)
{
    if (index >= m_count)
        return true;
    if (m_slots[index].HasData() && !RemoveArchiveData(index))
        return false;
    if (!SeekToEnd())
        return false;
    const int64_t offset = GetPosition();
    const uint64_t size = archive.GetTotalSize();
    // Offsets and sizes are 32-bit in the header.
    if (offset < HeaderSize || uint64_t(offset) + size > UINT32_MAX)
        return false;
    if (!archive.Write(this) || !Flush())
        return false;
    BackupArchiveSlot& slot = m_slots[index];
    const BackupArchiveSlot old = slot;
    slot.dataOffset = static_cast<uint32_t>(offset);
    slot.dataSize = static_cast<uint32_t>(size);
    slot.recordCount = archive.GetCount();
    slot.extraFlag = archive.HasExtraRecord() ? 1 : 0;
    if (!WriteHeader()) {
        slot = old;
        return false;
    }
    return true;
}

bool CBackupFile::RemoveArchiveData(uint32_t index)
{
    if (index >= m_count)
        return false;
    BackupArchiveSlot& slot = m_slots[index];
    const uint32_t removedOffset = slot.dataOffset;
    const uint32_t removedSize = slot.dataSize;
    if (slot.HasData()) {
        const int64_t end = GetLength();
        if (end < 0)
            return false;
        int64_t source = int64_t(removedOffset) + removedSize;
        int64_t dest = removedOffset;
        std::vector<uint8_t> buffer(MoveBufferSize);
        while (source < end) {
            const uint32_t n = static_cast<uint32_t>(std::min<int64_t>(MoveBufferSize, end - source));
            if (!SeekTo(source) || !Read(buffer.data(), n) || !SeekTo(dest) || !Write(buffer.data(), n))
                return false;
            source += n;
            dest += n;
        }
        if (!Flush() || !SetLength(static_cast<uint32_t>(dest)))
            return false;
        for (uint32_t i = 0; i < m_count; ++i)
            if (m_slots[i].HasData() && m_slots[i].dataOffset > removedOffset)
                m_slots[i].dataOffset -= removedSize;
    }
    slot.dataOffset = 0;
    slot.dataSize = 0;
    slot.recordCount = 0;
    slot.extraFlag = 0;
    return WriteHeader();
}

bool CBackupFile::DeleteArchive(uint32_t index)
{
    if (index >= m_count)
        return false;
    if (m_slots[index].HasData() && !RemoveArchiveData(index))
        return false;
    for (uint32_t i = index; i + 1 < m_count; ++i)
        m_slots[i] = m_slots[i + 1];
    m_slots[m_count - 1] = {};
    --m_count;
    return WriteHeader();
}

bool CBackupFile::SaveArchive(const std::string& archiveName, const std::string& jobPath, bool showErrors)
{
    const std::string extension = GetPathExtension(jobPath);
    const std::string folder = FolderWithSeparator(GetPathFolderOrEmpty(jobPath));
    const std::string jobName = GetPathFileName(jobPath);

    // The filter keys names in capitals, so a name is taken once whatever its case and the names
    // come out in the filter's order.
    CStringFilter filter(true);
    auto addName = [&filter](const std::string& name) {
        if (!name.empty())
            filter.Accept(name);
    };
    std::vector<std::string> companions;
    GetJobCompanionFiles(jobPath, companions);
    for (const std::string& companion : companions)
        addName(GetPathFileName(companion));
    const JobPair* pair = FindJobPair(extension);
    if (pair) {
        for (const char* pairExtension : {pair->first, pair->second}) {
            std::string name = jobName;
            ChangePathExtension(name, pairExtension);
            addName(name);
        }
    }
    std::vector<std::string> names;
    if (filter.GetNames(names) == 0)
        return false;
    // A save that fails leaves the backup file as it was: no named empty slot, no stray data.
    const uint32_t countBefore = m_count;
    const auto slotsBefore = m_slots;
    const int64_t lengthBefore = GetLength();
    if (lengthBefore < 0)
        return false;
    auto restore = [&]() {
        m_count = countBefore;
        m_slots = slotsBefore;
        WriteHeader();
        SetLength(static_cast<uint32_t>(lengthBefore));
        return false;
    };
    if (!AddArchiveSlot(archiveName))
        return restore();
    const uint32_t slotIndex = m_count - 1;
    CBackupArchive archive(static_cast<uint32_t>(names.size()), false);
    if (archive.GetCapacity() != names.size())
        return restore();

    // The data collector's own backup copy of the pair is not backed up again.
    std::string excluded = archiveName;
    if (pair && pair->backupMark)
        ChangePathExtension(excluded, pair->backupMark);
    uint64_t total = 0;
    for (const std::string& name : names) {
        if (SameNoCase(name, excluded))
            continue;
        std::error_code ec;
        const std::string path = PathInFolder(folder, name);
        if (FileExists(path)) {
            const uintmax_t size = std::filesystem::file_size(path, ec);
            total += ec ? 0 : size;
        }
    }

    const SystemTime now = CurrentLocalSystemTime();
    CStatusProgress progress;
    progress.Begin(ReplaceFirst("Compressing '%s'", GetPathFileName(names.back())));

    std::string errors;
    std::unique_ptr<uint8_t[]> buffer;
    size_t bufferSize = 0;
    uint64_t counter = 0;
    for (const std::string& name : names) {
        if (SameNoCase(name, excluded))
            continue;
        CFileCE file;
        if (!file.Open(PathInFolder(folder, name), CFileCE::modeRead)) {
            errors += "Failed to open " + name + " : " + GetLastErrorText();
            continue;
        }
        const int64_t length = file.GetLength();
        if (length == 0) {
            errors += ReplaceFirst("File is empty. %s", name);
            continue;
        }
        // The read buffer is kept across files and replaced only when a larger one is needed.
        if (length > 0 && uint64_t(length) <= UINT32_MAX && size_t(length) > bufferSize) {
            buffer.reset(new (std::nothrow) uint8_t[size_t(length)]);
            bufferSize = buffer ? size_t(length) : 0;
        }
        if (length < 0 || size_t(length) > bufferSize || !file.Read(buffer.get(), static_cast<uint32_t>(length))) {
            errors += ReplaceFirst("Failed to read %s.\n", name);
            continue;
        }
        ArithmeticCoder coder;
        uint8_t* packed = nullptr;
        size_t packedLength = 0;
        if (!coder.CompressWithProgress(buffer.get(), size_t(length), &packed, &packedLength, progress, total,
                                        counter) ||
            packedLength > UINT32_MAX) {
            delete[] packed;
            errors += ReplaceFirst("Failed to compress %s.", name);
            if (showErrors)
                ShowMessageBoxFS(errors, MB_OK | MB_ICONERROR);
            return restore();
        }
        archive.AddRecord(name, std::unique_ptr<uint8_t[]>(packed), static_cast<uint32_t>(packedLength),
                          RecordTypeForName(name));
        file.Close();
    }
    buffer.reset();
    if (!errors.empty() && showErrors)
        ShowMessageBoxFS(errors, MB_OK | MB_ICONERROR);
    if (archive.GetCount() == 0)
        return restore();

    progress.Begin("Saving Archive");
    // One slot per archive: the data and the time go to the slot that carries the archive's name.
    // A failure of either means the backup is not usable, so the save fails.
    if (!WriteArchiveData(slotIndex, archive)) {
        if (showErrors)
            ShowMessageBoxFS("Failed to add data to backup file.", MB_OK | MB_ICONERROR);
        return restore();
    }
    if (!SetArchiveTime(slotIndex, now)) {
        if (showErrors)
            ShowMessageBoxFS("Failed to set time to backup file.", MB_OK | MB_ICONERROR);
        return restore();
    }
    progress.End();
    return true;
}

bool CBackupFile::RewriteThroughCopy(const std::string& jobPath, const std::string& backupExtension,
                                     bool showErrors)
{
    std::string target = jobPath;
    ChangePathExtension(target, backupExtension);
    const std::string folder = FolderWithSeparator(GetPathFolderOrEmpty(target));
    bool ok = false;
    std::string temp;
    const int fd = CreateSiblingTempFile(folder, temp);
    if (fd < 0) {
        if (showErrors)
            ShowMessageBoxFS("GetTempFileName failed:\r\n" + folder + "\r\n" + GetLastErrorText(), MB_OK | MB_ICONERROR);
    } else {
        ::close(fd);
        {
            CBackupFile backup;
            if (backup.Create(temp)) {
                ok = backup.SaveArchive(GetPathFileTitle(jobPath), jobPath, showErrors);
                ok = backup.Close() && ok;
            }
        }
        // The old backup is replaced in one step, and only by a complete new one.
        if (ok && !RenameDurably(temp, target))
            ok = false;
        if (!ok)
            ::unlink(temp.c_str());
    }
    if (BackupSender())
        BackupSender()(WM_BACKUP_REWRITTEN, 0, 0);
    return ok;
}
