#pragma once

#include "framework/ToolTipModel.h"

#include <wx/event.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <vector>

class wxWindow;

// A tooltip that asks its owner for the text each time the mouse rests on one of its tools, so
// the owner can show coloured, many-line tips in its own popup. Every live tooltip is on one
// list, and the application relays all mouse input to that list, so an owner need not relay
// anything itself.
class CCustomToolTipCtrl : public wxEvtHandler
{
public:
    static constexpr int RestartTimerId = 16357;

    explicit CCustomToolTipCtrl(bool tracking);
    ~CCustomToolTipCtrl() override;

    // Asked for the text: the tool under the mouse and the mouse's screen position.
    std::function<void(wxWindow* tool, const wxPoint& screen)> onNeedText;

    void AddTool(wxWindow* tool);
    void RemoveTool(wxWindow* tool);
    size_t GetToolCount() const { return m_model.GetToolCount(); }
    void SetDelayTime(int milliseconds) { m_model.SetDelay(milliseconds); }
    void Activate(bool on);
    void RestartTracking();
    bool IsRestartPending() const { return m_model.IsRestartPending(); }

    // One mouse event seen by the program; the window under the mouse decides the tool.
    void RelayEvent(const wxMouseEvent& event);
    // Runs what is due now (tests call it instead of waiting for the timer).
    void CheckDue();
    // Every live tooltip, and the relay of the application's input filter to all of them.
    static const std::vector<CCustomToolTipCtrl*>& GetAll();
    static void RelayToAll(const wxMouseEvent& event);

private:
    void Reschedule();
    // The tool of ours that holds the window, or null.
    wxWindow* FindTool(wxWindow* window) const;

    CToolTipModel m_model;
    std::vector<wxWindow*> m_tools;
    wxTimer m_timer;
    std::shared_ptr<CCustomToolTipCtrl*> m_self = std::make_shared<CCustomToolTipCtrl*>(this);
};
