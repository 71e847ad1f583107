#include "model/Interested.h"

#include <algorithm>
#include <vector>

namespace {
// The registry. A slot whose object was destroyed during a broadcast is set to null and kept until
// the outermost broadcast ends, so every walk in progress stays valid.
std::vector<CInterested*>& Registry()
{
    static std::vector<CInterested*> registry;
    return registry;
}

std::vector<int32_t> g_codeStack;

// Number of broadcasts in progress. One flag would be cleared by a nested broadcast while the
// outer one is still walking, and removals after that would shift the walk.
int32_t g_broadcastNesting = 0;

std::function<bool(const void*)>& WindowCheck()
{
    static std::function<bool(const void*)> check;
    return check;
}
} // namespace

CInterested::CInterested() : CInterested(true) {}

CInterested::CInterested(bool registerNow) : dead(!registerNow)
{
    if (registerNow)
        Registry().push_back(this);
}

CInterested::~CInterested()
{
    auto& reg = Registry();
    auto it = std::find(reg.begin(), reg.end(), this);
    if (it == reg.end())
        return;
    if (g_broadcastNesting > 0)
        *it = nullptr;
    else
        reg.erase(it);
}

int32_t CInterested::Broadcast(void* sender, int32_t code, intptr_t parameter)
{
    bool pushed = false;
    if (g_codeStack.empty() || g_codeStack.back() != code) {
        g_codeStack.push_back(code);
        pushed = true;
    }
    ++g_broadcastNesting;
    auto& reg = Registry();
    // By index and re-reading the size: receivers may register new objects while we walk.
    for (size_t i = 0; i < reg.size(); ++i) {
        CInterested* obj = reg[i];
        if (!obj)
            continue;
        if (obj->window && WindowCheck() && !WindowCheck()(obj->window))
            continue;
        if (obj->IsInterested(code))
            obj->OnNotify(sender, code, parameter);
    }
    if (--g_broadcastNesting == 0)
        reg.erase(std::remove(reg.begin(), reg.end(), nullptr), reg.end());
    if (!pushed)
        return 0;
    g_codeStack.pop_back();
    return code;
}

int32_t CInterested::GetBroadcastDepth()
{
    return int32_t(g_codeStack.size());
}

int32_t CInterested::GetBroadcastCode(int32_t index)
{
    if (index < 0 || size_t(index) >= g_codeStack.size())
        return -1;
    return g_codeStack[size_t(index)];
}

int32_t CInterested::FindBroadcastCode(int32_t code)
{
    auto it = std::find(g_codeStack.begin(), g_codeStack.end(), code);
    return it == g_codeStack.end() ? -1 : int32_t(it - g_codeStack.begin());
}

bool CInterested::IsWindowLive(const void* window)
{
    return window && (!WindowCheck() || WindowCheck()(window));
}

void CInterested::SetWindowCheck(std::function<bool(const void*)> check)
{
    WindowCheck() = std::move(check);
}

int32_t CInterested::GetRegisteredCount()
{
    int32_t n = 0;
    for (CInterested* p : Registry())
        if (p)
            ++n;
    return n;
}
