#include "exchange/ExportCommands.h"

#include "core/FileHelpers.h"
#include "core/StatusProgress.h"
#include "exchange/FSDataFileSaveDXF.h"
#include "model/DataFileDoc.h"
#include "platform/AtomicFile.h"
#include "platform/BusyCursor.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kExportFailed = "Failed to export the DXF file.";

// The whole temporary file, read in tenths so the progress moves; false on any read error or
// when the file does not hold the bytes its size promised.
bool ReadExported(const std::string& path, std::string& bytes, CStatusProgress& progress)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const size_t size = size_t(st.st_size);
    bytes.resize(size);
    const size_t chunk = size < 500 ? size : size / 10;
    size_t done = 0;
    int32_t percent = 0;
    progress.SetPercent(0);
    while (done < size) {
        const ssize_t n = ::read(fd, bytes.data() + done, std::min(chunk, size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // an error, or the file shrank under us: either way the copy is not whole
        done += size_t(n);
        percent = std::min(percent + 10, 100);
        progress.SetPercent(percent);
    }
    ::close(fd);
    return done == size;
}

} // namespace

bool RunExportDxfCommand(CDataFileDoc& document, const std::string& targetPath, bool exportPointBlocks,
                         const CPointBlockDefinition& definition, double textHeight, double verticalSpacing)
{
    CBusyCursor wait;
    const std::string temporary = MakeTempFilePath();
    if (temporary.empty())
        return false; // the user has been told

    CStatusProgress progress;
    progress.Begin("Exporting Autocad file");
    progress.SetPercent(0);

    CFSDataFileSaveDXF filter(&document, true);
    filter.SetExportOptions(exportPointBlocks, definition, 2, textHeight, verticalSpacing, false);
    const int unit = document.GetSurveyUnits();
    int32_t count = 0;
    bool ok = filter.Export(temporary, uint32_t(unit == 1 || unit == 2 ? unit : 0), &count) == 0;

    // The target is replaced only by a whole copy: written beside it, then renamed over it.
    std::string bytes;
    ok = ok && ReadExported(temporary, bytes, progress) && WriteFileReplacing(targetPath, bytes);
    ::unlink(temporary.c_str());
    if (!ok) {
        ShowMessageBoxFS(kExportFailed, MB_OK);
        return false;
    }
    ShowPlainMessageBox("Wrote " + std::to_string(count) + " points to " + targetPath);
    return true;
}
