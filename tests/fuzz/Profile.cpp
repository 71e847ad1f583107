// Feeds arbitrary bytes to the profile reader as a hand-edited profile file, then reads and writes
// through it: every read must answer, and a write must leave a file that reads back.
#include "platform/Profile.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size = FuzzInputSize(size);
    std::string folder = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/morvel-fuzz-profile-XXXXXX");
    if (!mkdtemp(folder.data()))
        return 0;
    const std::filesystem::path path = std::filesystem::path(folder) / "Morvel.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        CProfile profile(path);
        profile.GetProfileString("Transfer", "DosDir", "x");
        profile.GetProfileInt("Transfer", "Port3", 1);
        profile.GetProfileDouble("Transfer", "Def SF", 1.0);
        profile.GetProfileRect("Print Settings", "Margins", ProfileRect{});
        std::vector<uint8_t> binary;
        profile.GetProfileBinary("Settings", "Dock", binary);
        if (profile.WriteProfileString("Transfer", "DosDir", "/home/user/KVL_DAT/")) {
            CProfile reread(path);
            if (reread.GetProfileString("Transfer", "DosDir") != "/home/user/KVL_DAT/")
                std::abort();
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}
