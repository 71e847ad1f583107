// Opens arbitrary bytes as a backup file, reads every archive and extracts it into a scratch folder.
#include "transfer/backup/BackupArchive.h"
#include "transfer/backup/BackupFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A backup's header alone is 10,280 bytes.
    size = FuzzInputSize(size, 16384);
    std::string folder = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/morvel-fuzz-backup-XXXXXX");
    if (!mkdtemp(folder.data()))
        return 0;
    const std::string path = std::string(folder) + "/in.Mvb";
    const std::string out = std::string(folder) + "/out";
    std::filesystem::create_directory(out);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        const bool written = size == 0 || std::fwrite(data, 1, size, f) == size;
        std::fclose(f);
        CBackupFile file;
        if (written && file.Open(path)) {
            g_fuzzFormatReached = true;
            for (uint32_t i = 0; i < file.GetArchiveCount(); ++i) {
                std::string name;
                if (!file.GetArchiveName(i, name))
                    std::abort();
                CBackupArchive archive;
                if (!file.GetArchiveSlot(i, &archive))
                    std::abort();
                for (uint32_t r = 0; r < archive.GetCount(); ++r)
                    archive.GetRecordName(r);
                if (CBackupFileRecord* extra = archive.GetExtraRecord()) {
                    int a, b, c, d;
                    extra->ParseSnapshot(a, b, c, d);
                }
                bool asked = false;
                archive.Extract(out, asked);
                // Nothing lands outside the scratch folder's out/ and no temporary stays behind.
                for (const auto& entry : std::filesystem::directory_iterator(out))
                    if (entry.path().filename().string().rfind(".morvel-", 0) == 0)
                        std::abort();
                // Each archive into an empty folder, so no overwrite question is asked.
                std::filesystem::remove_all(out);
                std::filesystem::create_directory(out);
            }
        }
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path() != out && entry.path() != path)
            std::abort();
    std::filesystem::remove_all(folder, ec);
    return 0;
}
