#pragma once

// Holds a busy or re-entrancy flag owned elsewhere for the length of a scope.
class CFlagGuard {
public:
    // Writes value into the flag at once; with clearOnExit the destructor writes false.
    CFlagGuard(bool* flag, bool value = true, bool clearOnExit = true);
    ~CFlagGuard();
    CFlagGuard(const CFlagGuard&) = delete;
    CFlagGuard& operator=(const CFlagGuard&) = delete;

    void Clear();
    void Set();

private:
    bool* flag;
    bool clearOnExit;
};
