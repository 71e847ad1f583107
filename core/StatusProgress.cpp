#include "core/StatusProgress.h"

#include "core/ResourceStrings.h"
#include "platform/StatusBarHost.h"

#include <cstdlib>
#include <vector>

namespace {
bool g_statusScopeActive = false;
std::vector<std::string> g_statusTexts;
std::vector<int32_t> g_statusPositions;

// What the status bar shows now, so that an inner scope can put it back when it ends.
std::string g_shownText;
int32_t g_shownPosition = 0;
} // namespace

CStatusProgress::CStatusProgress() : frame(GetMainStatusHost()) {}

CStatusProgress::~CStatusProgress()
{
    // The frame this scope drew on has gone: leave its status bar alone and let the program end.
    if (GetMainStatusHost() != frame) {
        RequestApplicationQuit(0);
        return;
    }
    End();
}

void CStatusProgress::TakeFrameIfMissing()
{
    if (!frame)
        frame = GetMainStatusHost();
}

void CStatusProgress::BeginCommon(const std::string& newText, const uint32_t* id)
{
    TakeFrameIfMissing();
    auto show = [&] {
        if (!frame)
            return;
        if (id)
            frame->SetStatusMessageById(*id);
        else
            frame->SetStatusMessage(newText);
    };
    if (g_statusScopeActive && active) {
        show();
        g_shownText = newText;
        position = 0;
        return;
    }
    if (g_statusScopeActive) {
        // Save what the outer scope shows, not this scope's own (empty) text, so the outer
        // operation gets its text back when this one ends.
        g_statusTexts.push_back(g_shownText);
        g_statusPositions.push_back(g_shownPosition);
    } else {
        // A fresh progress bar starts at 0.
        g_shownPosition = 0;
    }
    show();
    g_shownText = newText;
    position = 0;
    text = newText;
    depth = int32_t(g_statusTexts.size());
    g_statusScopeActive = true;
    active = true;
}

void CStatusProgress::Begin(const std::string& newText)
{
    BeginCommon(newText, nullptr);
}

void CStatusProgress::BeginWithStringId(uint32_t id)
{
    // The frame loads the same string-table text; the scope keeps it to give it back to an
    // outer scope later.
    BeginCommon(LoadResourceString(id), &id);
}

void CStatusProgress::SetPercent(int32_t value)
{
    TakeFrameIfMissing();
    if (active && frame) {
        if (std::abs(int64_t(position) - value) < 2)
            return;
        frame->SetProgressPos(value);
        g_shownPosition = value;
    }
    position = value;
}

void CStatusProgress::End()
{
    TakeFrameIfMissing();
    if (!active)
        return;
    active = false;
    if (!g_statusTexts.empty()) {
        position = g_statusPositions.back();
        g_statusPositions.pop_back();
        text = std::move(g_statusTexts.back());
        g_statusTexts.pop_back();
        if (frame) {
            frame->SetStatusMessage(text);
            frame->SetProgressPos(position);
        }
        g_shownText = text;
        g_shownPosition = position;
        g_statusScopeActive = true;
    } else {
        if (frame)
            frame->EndProgress();
        g_shownText.clear();
        g_shownPosition = 0;
        g_statusScopeActive = false;
    }
}

int32_t CStatusProgress::GetStackCount()
{
    return int32_t(g_statusTexts.size());
}

bool CStatusProgress::IsAnyScopeActive()
{
    return g_statusScopeActive;
}
