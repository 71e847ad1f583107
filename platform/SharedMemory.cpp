#include "platform/SharedMemory.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

CSharedMemory::~CSharedMemory() { Close(); }

CSharedMemory::CreateResult CSharedMemory::Create(const std::string& name, size_t size)
{
    Close();
    const int fd = ::shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return errno == EEXIST ? CreateResult::AlreadyExists : CreateResult::Failed;
    m_name = name;
    m_owner = true;
    if (size == 0 || ::ftruncate(fd, off_t(size)) != 0) {
        ::close(fd);
        Close();
        return CreateResult::Failed;
    }
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED) {
        Close();
        return CreateResult::Failed;
    }
    m_data = data;
    m_size = size;
    return CreateResult::Created;
}

bool CSharedMemory::OpenExisting(const std::string& name)
{
    Close();
    const int fd = ::shm_open(name.c_str(), O_RDONLY, 0);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) {
        ::close(fd);
        return false;
    }
    void* data = ::mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED)
        return false;
    m_name = name;
    m_data = data;
    m_size = size_t(st.st_size);
    m_owner = false;
    return true;
}

void CSharedMemory::Close()
{
    if (m_data != nullptr)
        ::munmap(m_data, m_size);
    if (m_owner && !m_name.empty())
        ::shm_unlink(m_name.c_str());
    m_data = nullptr;
    m_size = 0;
    m_owner = false;
    m_name.clear();
}

double CSharedMemory::AgeSeconds(const std::string& name)
{
    const int fd = ::shm_open(name.c_str(), O_RDONLY, 0);
    if (fd < 0)
        return -1;
    struct stat st {};
    const bool ok = ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!ok)
        return -1;
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const double changed = double(st.st_mtim.tv_sec) + st.st_mtim.tv_nsec * 1e-9;
    const double current = double(now.tv_sec) + now.tv_nsec * 1e-9;
    return current > changed ? current - changed : 0.0;
}

bool CSharedMemory::Remove(const std::string& name) { return ::shm_unlink(name.c_str()) == 0; }
