#include "platform/NamedSemaphore.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <semaphore.h>

namespace {
sem_t* Sem(void* p) { return static_cast<sem_t*>(p); }
} // namespace

CNamedSemaphore::~CNamedSemaphore() { Close(); }

bool CNamedSemaphore::Create(const std::string& name)
{
    Close();
    sem_t* sem = ::sem_open(name.c_str(), O_CREAT | O_EXCL, 0600, 0u);
    if (sem == SEM_FAILED && errno == EEXIST) {
        ::sem_unlink(name.c_str());
        sem = ::sem_open(name.c_str(), O_CREAT | O_EXCL, 0600, 0u);
    }
    if (sem == SEM_FAILED)
        return false;
    m_sem = sem;
    m_name = name;
    m_owner = true;
    return true;
}

bool CNamedSemaphore::OpenExisting(const std::string& name)
{
    Close();
    sem_t* sem = ::sem_open(name.c_str(), 0);
    if (sem == SEM_FAILED)
        return false;
    m_sem = sem;
    m_name = name;
    m_owner = false;
    return true;
}

void CNamedSemaphore::Close()
{
    if (m_sem != nullptr)
        ::sem_close(Sem(m_sem));
    if (m_owner && !m_name.empty())
        ::sem_unlink(m_name.c_str());
    m_sem = nullptr;
    m_owner = false;
    m_name.clear();
}

bool CNamedSemaphore::Post() { return m_sem != nullptr && ::sem_post(Sem(m_sem)) == 0; }

CNamedSemaphore::WaitResult CNamedSemaphore::Wait(int milliseconds)
{
    if (m_sem == nullptr)
        return WaitResult::Failed;
    if (milliseconds <= 0) {
        while (::sem_trywait(Sem(m_sem)) != 0) {
            if (errno == EAGAIN)
                return WaitResult::TimedOut;
            if (errno != EINTR)
                return WaitResult::Failed;
        }
        return WaitResult::Signalled;
    }
    timespec deadline {};
    ::clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += milliseconds / 1000;
    deadline.tv_nsec += long(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    while (::sem_timedwait(Sem(m_sem), &deadline) != 0) {
        if (errno == ETIMEDOUT)
            return WaitResult::TimedOut;
        if (errno != EINTR)
            return WaitResult::Failed;
    }
    return WaitResult::Signalled;
}
