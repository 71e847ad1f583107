#pragma once

#include <cstdint>
#include <functional>

// Mixed into any object that wants the program-wide change broadcast. Objects register on
// construction (unless told not to) and leave the registry when destroyed, also in the middle of a
// broadcast. User-interface thread only.
class CInterested {
public:
    CInterested();
    explicit CInterested(bool registerNow);
    virtual ~CInterested();
    CInterested(const CInterested&) = delete;
    CInterested& operator=(const CInterested&) = delete;

    virtual bool IsInterested(int32_t code) { return true; }
    virtual void OnNotify(void* sender, int32_t code, intptr_t parameter) {}

    // The owner's window; while it is set, broadcasts skip the object once the window is gone.
    void SetWindow(const void* w) { window = w; }
    const void* GetWindow() const { return window; }
    bool IsDead() const { return dead; }

    // Calls OnNotify of every registered, interested object. Returns the code when this call put
    // it on the code stack, else 0.
    static int32_t Broadcast(void* sender, int32_t code, intptr_t parameter);

    static int32_t GetBroadcastDepth();
    static int32_t GetBroadcastCode(int32_t index);
    static int32_t FindBroadcastCode(int32_t code);

    // Tells whether an owner's window still exists; without a check every window counts as live.
    static void SetWindowCheck(std::function<bool(const void*)> check);
    // Whether the window is still there, by the installed check (true without one).
    static bool IsWindowLive(const void* window);
    static int32_t GetRegisteredCount();

private:
    const void* window = nullptr;
    bool dead = false;
};
