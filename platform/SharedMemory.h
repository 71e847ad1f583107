#pragma once

#include <cstddef>
#include <string>

// A named block of shared memory (POSIX shm_open) through which one program hands a text to
// another. The creator owns the name and removes it when it closes the block; an opener only
// maps what is there. Names begin with '/'.
class CSharedMemory
{
public:
    enum class CreateResult { Created, AlreadyExists, Failed };

    CSharedMemory() = default;
    ~CSharedMemory();
    CSharedMemory(const CSharedMemory&) = delete;
    CSharedMemory& operator=(const CSharedMemory&) = delete;

    // A new block of the size, read and write for the user only; never takes over an existing
    // block of the same name.
    CreateResult Create(const std::string& name, size_t size);
    // Maps an existing block read-only, whole. False when there is none or it cannot be read.
    bool OpenExisting(const std::string& name);
    // Unmaps the block and, when this object created it, removes its name.
    void Close();

    void* Data() const { return m_data; }
    size_t Size() const { return m_size; }

    // Seconds since the named block was last changed; -1 when there is no such block.
    static double AgeSeconds(const std::string& name);
    static bool Remove(const std::string& name);

private:
    std::string m_name;
    void* m_data = nullptr;
    size_t m_size = 0;
    bool m_owner = false;
};
