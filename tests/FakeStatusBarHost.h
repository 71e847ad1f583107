#pragma once

#include "platform/StatusBarHost.h"

#include <string>
#include <vector>

// Records what would reach the status bar, one entry a call: "text:<t>", "id:<n>", "pos:<n>", "end".
// Installs itself as the main window for its lifetime.
class FakeStatusBarHost : public CStatusBarHost {
public:
    FakeStatusBarHost() { SetMainStatusHost(this); }
    ~FakeStatusBarHost() override
    {
        if (GetMainStatusHost() == this)
            SetMainStatusHost(nullptr);
    }

    void SetStatusMessage(const std::string& text) override { calls.push_back("text:" + text); }
    void SetStatusMessageById(uint32_t id) override { calls.push_back("id:" + std::to_string(id)); }
    void SetProgressPos(int32_t pos) override { calls.push_back("pos:" + std::to_string(pos)); }
    void EndProgress() override { calls.push_back("end"); }

    std::vector<std::string> Take()
    {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    std::vector<std::string> calls;
};
