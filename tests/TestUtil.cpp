#include "TestUtil.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvel::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "morvel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

bool RunUnprivileged(const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        constexpr uid_t Nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0))
            _exit(2);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<unsigned char> ReadAllBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAllBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAllText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAllText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string TestDataPath(const std::string& name)
{
    return std::string(MORVEL_TEST_DATA_DIR) + "/" + name;
}

std::string SharedTestDataPath(const std::string& name)
{
    return std::string(MORVEL_SHARED_TEST_DATA_DIR) + "/" + name;
}

} // namespace morvel::test
