// Feeds arbitrary bytes to the two roads that make a job from field data, as a transfer file and
// as a backup archive: each either refuses with a message or leaves exactly the job's two files,
// never staged copies beside them.
#include "model/JobRawData.h"
#include "platform/MessageBox.h"
#include "rawdata/RawDataFactory.h"
#include "shell/JobFromFieldData.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The files the road left in the folder, other than the input.
int CountLeftFiles(const fs::path& folder, const fs::path& input)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path() != input)
            ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        SetMessageBoxHandler([](const std::string&, uint32_t) { return IDOK; });
        InstallRawDataFactory();
        return true;
    }();
    (void)ready;
    FuzzTempFilesInMemory();
    const fs::path folder = fs::temp_directory_path() / ("morvel-fuzz-field-" + std::to_string(::getpid()));
    for (const bool backup : {false, true}) {
        // The transfer road reads, stages, reduces and saves a whole job: the road itself is what
        // is tried here (the line grammar and the reduction have entries of their own), so a few
        // lines of field data are plenty, and every other input (by length) takes it. A backup
        // that is not one is refused at its header: every input tries that road.
        if (!backup && size % 2 == 1)
            continue;
        const size_t length = backup ? size : std::min<size_t>(FuzzInputSize(size), 256);
        fs::remove_all(folder);
        fs::create_directories(folder);
        const fs::path input = folder / (backup ? "field.Mvb" : "field.TRN");
        {
            std::ofstream out(input, std::ios::binary);
            out.write(reinterpret_cast<const char*>(data), std::streamsize(length));
        }
        const std::string job = (folder / "New.Mvj").string();
        const bool made = backup ? CreateJobFromBackupFile(input.string(), job, "")
                                 : CreateJobFromTransferFile(input.string(), job, "");
        if (CountLeftFiles(folder, input) != (made ? 2 : 0))
            std::abort();
    }
    fs::remove_all(folder);
    return 0;
}
