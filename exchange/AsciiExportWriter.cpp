#include "exchange/AsciiExportWriter.h"

#include "core/DataFileFormat.h"
#include "core/LocaleText.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "model/DataFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes everything or fails.
bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// A new file beside the target, so the target is only replaced by a complete file. It takes the
// permissions the target has, or those a new file gets.
int CreateBeside(const std::string& path, std::string& temporary)
{
    temporary = GetPathFolderOrEmpty(path) + ".export-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return -1;
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    return fd;
}

} // namespace

CAsciiExportWriter::CAsciiExportWriter(CDataFileDoc* document, CAsciiColumnLayout layout, int32_t delimiterCode)
    : m_document(document), m_layout(std::move(layout)), m_delimiterCode(delimiterCode)
{
}

CDataFileDoc* CAsciiExportWriter::Document() const
{
    return m_document != nullptr ? m_document : CDataFileDoc::GetActiveDoc();
}

std::string CAsciiExportWriter::FormatPointLine(const CPointRecord& point) const
{
    CDataFileDoc* document = Document();
    if (document == nullptr)
        return {};
    const CDataFileFormat& format = *document->GetDataFileFormat();
    // Files are read back whatever the reader's locale: '.' and never a digit group.
    const CLocaleTextOverride plainNumbers(".", "");
    const std::string delimiter = CAsciiColumnLayout::GetDelimiterText(m_delimiterCode);
    std::string line;
    bool first = true;
    for (const CAsciiColumnLayout::Item& item : m_layout.GetItems()) {
        if (!item.checked)
            continue;
        if (!first)
            line += delimiter;
        first = false;
        switch (item.type) {
        case AsciiColumnName: line += point.GetName(); break;
        case AsciiColumnNorthing: line += format.FormatCoordinate(point.GetNorthing(), true, false); break;
        case AsciiColumnEasting: line += format.FormatCoordinate(point.GetEasting(), true, false); break;
        case AsciiColumnElevation: line += format.FormatElevation(point.GetElevation(), true, false); break;
        case AsciiColumnDescription: line += point.GetDescription(); break;
        default: break;
        }
    }
    return line;
}

bool CAsciiExportWriter::WriteFile(const std::string& path)
{
    m_written = 0;
    CDataFileDoc* document = Document();
    std::string temporary;
    const int fd = CreateBeside(path, temporary);
    bool ok = fd >= 0;
    if (ok && document != nullptr) {
        CStatusProgress progress;
        progress.Begin("Exporting points...");
        CPointDatabase* points = document->GetPointDatabase();
        const int32_t total = points->GetCount();
        std::string buffer;
        int32_t i = 0;
        for (RedBlackNode* pos = points->GetFirstPosition(); ok && pos != nullptr; ++i) {
            const CPointRecord* point = points->GetNextPoint(pos);
            progress.SetPercent(MulDiv(i, 100, total));
            if (!point->IsSelected())
                continue;
            const std::string line = FormatPointLine(*point);
            if (line.empty())
                continue;
            buffer += line;
            buffer += "\r\n";
            ++m_written;
            if (buffer.size() >= (1u << 16)) {
                ok = WriteAll(fd, buffer.data(), buffer.size());
                buffer.clear();
            }
        }
        ok = ok && WriteAll(fd, buffer.data(), buffer.size());
    }
    if (fd >= 0) {
        ok = ::fsync(fd) == 0 && ok;
        ok = ::close(fd) == 0 && ok;
    }
    if (ok)
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        if (fd >= 0)
            ::unlink(temporary.c_str());
        m_written = 0;
        ShowMessageBoxFS("Save failed, try again", MB_OK | MB_ICONERROR);
        return false;
    }
    ShowPlainMessageBox("Wrote " + std::to_string(m_written) + " points to " + path);
    return true;
}
