// Feeds arbitrary bytes to the LandXML reader, once with the default switches and once with every
// switch on, and through the point import into a scratch job: nothing may crash, hang or leak,
// whatever the file holds. Errors are the reader's to report; here they are only swallowed.
#include "landxml/FSDataFileLoadXML.h"
#include "landxml/LandXML.h"
#include "platform/MessageBox.h"
#include "tests/model/TestJobDoc.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <exception>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void LoadWith(const std::string& path, bool everything)
{
    CLandXML document;
    if (everything) {
        document.SetReadGradeModels(true);
        document.SetReadSurfaces(true);
    }
    std::string note;
    try {
        document.LoadFile(path, note);
    } catch (const CLandXMLException&) {
    } catch (const std::exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    static const MessageBoxHandler quiet = SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
    char path[] = "/tmp/morvel-fuzz-landxml-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    if (written) {
        LoadWith(path, false);
        LoadWith(path, true);

        morvel::test::TestJobDoc job;
        job.AddPoint("1", 10.0, 20.0, 30.0);
        FSDataFileLoadXML import;
        import.SetImportOptions(false, false, nullptr);
        import.ImportFile(path, &job);
        std::vector<std::string> names;
        import.ReadPointNames(&job, path, names);
    }
    unlink(path);
    return 0;
}
