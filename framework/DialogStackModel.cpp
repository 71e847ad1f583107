#include "framework/DialogStackModel.h"

#include "platform/MessageBox.h"

#include <algorithm>
#include <set>

namespace
{
// Templates whose panels a job view takes; they are shared between all job views.
constexpr uint32_t JobViewTemplates[] = {725,  5349, 5600, 6993, 646, 647,  5371, 654,  5453, 5396, 1745,
                                         303,  5493, 749,  5631, 1723, 6966, 6997, 6999, 7000, 721};

void MoveToTop(std::deque<CStackPanel*>& stack, CStackPanel* panel)
{
    auto it = std::find(stack.begin(), stack.end(), panel);
    if (it == stack.end())
        return;
    stack.erase(it);
    stack.push_front(panel);
}
} // namespace

const char* const CDialogStackModel::TooManyMessage =
    "There is currently too many dialog bar functions open.  Close some and try again.";

CDialogStackModel::CDialogStackModel(CDialogStackHost& h, CStackPanel* home) : host(h), navigator(home), current(home)
{
}

bool CDialogStackModel::IsIdAllowedInJobView(uint32_t templateId)
{
    return std::find(std::begin(JobViewTemplates), std::end(JobViewTemplates), templateId) !=
           std::end(JobViewTemplates);
}

bool CDialogStackModel::IsDialogAllowedInView(const void* view, uint32_t templateId)
{
    return view && host.IsJobView(view) && IsIdAllowedInJobView(templateId);
}

bool CDialogStackModel::IsStacked(const CStackPanel* panel) const
{
    for (const auto& [view, stack] : stacks)
        if (std::find(stack.begin(), stack.end(), panel) != stack.end())
            return true;
    return false;
}

void CDialogStackModel::RemoveEverywhere(const CStackPanel* panel)
{
    for (auto& [view, stack] : stacks)
        stack.erase(std::remove(stack.begin(), stack.end(), panel), stack.end());
}

void CDialogStackModel::SaveVisibleControl()
{
    if (current && current != navigator && current->HasWindow())
        current->SaveActiveControl();
}

void CDialogStackModel::GiveFocusBack()
{
    if (current && current->HasWindow())
        current->RestoreActiveControl();
    else
        host.FocusMainWindow();
}

bool CDialogStackModel::PushDialog(CStackPanel* panel, uint32_t templateId)
{
    CStackPanel* previous = current;
    bool result = true;
    SaveVisibleControl();

    const void* view = host.GetActiveView();
    std::deque<CStackPanel*>& stack = stacks[view];
    if (stack.size() >= MaxPanelsPerView)
    {
        ShowMessageBoxFS(TooManyMessage, MB_OK | MB_ICONERROR);
        panel->DiscardPanel();
        return false;
    }

    const uint32_t key = templateId & 0xFFFF;
    CStackPanel* old = nullptr;
    size_t position = 0;
    for (; position < stack.size(); ++position)
        if (stack[position]->GetTemplateId() == key)
        {
            old = stack[position];
            break;
        }

    bool reused = false;
    if (old)
    {
        if (old->IsReusable() && old->CanReuse())
        {
            old->TakeOver(panel);
            panel->DiscardPanel();
            reused = true;
            result = false;
        }
        else
        {
            bool gone = false;
            if (old == previous)
            {
                gone = old->OnCovered(0, panel);
                previous = nullptr;
            }
            // A panel that closed when covered has left already.
            if (!gone && IsStacked(old))
                old->DestroyPanel();
            if (current == old)
                current = nullptr;
            if (previous && !IsStacked(previous) && previous != navigator)
                previous = nullptr;
        }
    }

    if (!reused)
    {
        if (previous)
            previous->OnCovered(0, panel);
        if (current && current != navigator && !IsStacked(current))
            current = nullptr;
        stack.push_front(panel);
        if (!panel->HasWindow())
            panel->CreatePanelWindow(templateId);
        ShowDialog(panel, view);
    }
    else if (old != current)
    {
        if (previous && previous->OnCovered(0, old))
            ActivateStackEntry(static_cast<int>(position));
        else
            ActivateStackEntry(static_cast<int>(position) + 1);
    }

    if (!host.IsBarVisible() && (stack.size() > 1 || host.ShowNavigatorPreferred()))
        host.ShowBar();
    GiveFocusBack();
    return result;
}

void CDialogStackModel::ShowDialog(CStackPanel* panel, const void* view)
{
    if (!panel || !panel->HasWindow())
        return;
    if (current && current != panel && current->HasWindow())
    {
        if (host.GetActiveViewKind() == viewKindShown)
            current->OnDeactivateInBar();
        current->ShowPanel(false);
        host.RestoreDefaultTool();
    }
    current = panel;
    panel->ShowPanel(true);
    panel->OnActivateInBar();
    shownId = panel->GetTemplateId();
    host.NotifyActiveJob(20, 0);

    if (panel != navigator)
    {
        const uint32_t id = panel->GetTemplateId();
        for (auto& [v, stack] : stacks)
        {
            if (std::find(stack.begin(), stack.end(), panel) != stack.end())
                MoveToTop(stack, panel);
            else if (v != view && IsDialogAllowedInView(v, id))
                stack.push_front(panel);
        }
    }
    GiveFocusBack();
    if (panel != navigator)
        navigatorChosen = false;
}

CStackPanel* CDialogStackModel::ActivateStackEntry(int n)
{
    SaveVisibleControl();
    host.ResetGraphicDataExchange();
    const void* view = host.GetActiveView();
    auto it = stacks.find(view);
    if (it != stacks.end() && n >= 1 && static_cast<size_t>(n) <= it->second.size())
    {
        CStackPanel* panel = it->second[n - 1];
        MoveToTop(it->second, panel);
        ShowDialog(panel, view);
        return panel;
    }
    ShowDialog(navigator, view);
    return navigator;
}

void CDialogStackModel::RemoveDialog(CStackPanel* panel, const void* view)
{
    if (!panel || panel == navigator)
        return;
    RemoveEverywhere(panel);
    if (current != panel)
        return;
    // The leaving panel is not shown or hidden any more.
    current = nullptr;
    const void* v = view ? view : host.GetActiveView();
    auto it = stacks.find(v);
    if (it != stacks.end() && !it->second.empty())
        ShowDialog(it->second.front(), v);
    else
        ShowDialog(navigator, v);
}

void CDialogStackModel::ForgetPanel(CStackPanel* panel)
{
    RemoveEverywhere(panel);
    if (current == panel)
        current = nullptr;
    if (navigator == panel)
        navigator = nullptr;
}

void CDialogStackModel::CloseAllDialogs()
{
    closing = true;
    for (auto& [view, stack] : stacks)
    {
        while (!stack.empty())
        {
            CStackPanel* panel = stack.back();
            // Out of every stack before it is freed, so no stack keeps a dangling entry.
            RemoveEverywhere(panel);
            if (panel == current)
                current = nullptr;
            if (panel->HasWindow())
                panel->CloseFromBar();
        }
    }
    closing = false;
    shownId = 0;
}

int CDialogStackModel::QueryCanCloseJob()
{
    for (auto& [view, stack] : stacks)
        for (CStackPanel* panel : stack)
            if (panel->CanCloseJob() == 2)
                return 2;
    return 1;
}

CStackPanel* CDialogStackModel::GetTopDialog()
{
    if (current == navigator)
        return navigator;
    auto it = stacks.find(host.GetActiveView());
    if (it == stacks.end())
        return navigator;
    return it->second.empty() ? nullptr : it->second.front();
}

size_t CDialogStackModel::GetStackCount()
{
    auto it = stacks.find(host.GetActiveView());
    return it == stacks.end() ? 0 : it->second.size();
}

bool CDialogStackModel::AreAllStacksEmpty() const
{
    return std::all_of(stacks.begin(), stacks.end(), [](const auto& entry) { return entry.second.empty(); });
}

CStackPanel* CDialogStackModel::FindDialogById(uint32_t templateId) const
{
    for (const auto& [view, stack] : stacks)
        for (CStackPanel* panel : stack)
            if (panel->GetTemplateId() == templateId)
                return panel;
    return nullptr;
}

std::vector<std::string> CDialogStackModel::GetStackTitles()
{
    std::vector<std::string> titles;
    if (navigator)
        titles.push_back(navigator->GetTitle());
    for (CStackPanel* panel : stacks[host.GetActiveView()])
        if (!panel->ClosesWhenCovered())
            titles.push_back(panel->GetTitle());
    return titles;
}

std::vector<CStackPanel*> CDialogStackModel::GetStack(const void* view) const
{
    auto it = stacks.find(view);
    if (it == stacks.end())
        return {};
    return {it->second.begin(), it->second.end()};
}

void CDialogStackModel::OnHint(const void* sender, int32_t code, intptr_t parameter)
{
    switch (code)
    {
    case 5:
    case 16:
        if (CStackPanel* top = GetTopDialog(); top && top->HasActiveFilter())
            top->OnDeactivateInBar();
        if (code == 16)
        {
            previousView = host.GetActiveView();
            viewKindShown = host.GetActiveViewKind();
            if (current)
                current->OnCovered(16, reinterpret_cast<const void*>(parameter));
        }
        break;
    case 17:
        OnViewActivated();
        break;
    case 18:
        OnViewClosed(sender);
        break;
    case 20:
        if (CStackPanel* top = GetTopDialog(); top && top->HasWindow())
            top->ApplyChipSelection(true);
        break;
    case 27:
        host.RequestFileItemsRefresh();
        break;
    case 29:
        navigatorChosen = true;
        break;
    default:
        break;
    }
}

void CDialogStackModel::OnViewActivated()
{
    const void* view = host.GetActiveView();
    if (!view)
        return;
    if (!previousView)
        previousView = view;

    if (stacks.find(view) == stacks.end())
    {
        std::deque<CStackPanel*>& stack = stacks[view];
        auto takeFrom = [&](const std::deque<CStackPanel*>& other) {
            for (CStackPanel* panel : other)
                if (IsDialogAllowedInView(view, panel->GetTemplateId()) &&
                    std::find(stack.begin(), stack.end(), panel) == stack.end())
                    stack.push_back(panel);
        };
        if (auto prev = stacks.find(previousView); prev != stacks.end() && previousView != view)
            takeFrom(prev->second);
        for (const auto& [v, other] : stacks)
            if (v != view && v != previousView)
                takeFrom(other);
    }

    const std::deque<CStackPanel*>& stack = stacks[view];
    if (current && current == navigator)
    {
        if (shownId == navigator->GetTemplateId())
            navigator->RestoreActiveControl();
        else
            ActivateStackEntry(!navigatorChosen && !stack.empty() ? 1 : 0);
    }
    else if (current && !stack.empty() && stack.front() == current)
    {
        if (current->GetTemplateId() == shownId)
            current->RestoreActiveControl();
        else
            ActivateStackEntry(1);
    }
    else
    {
        ActivateStackEntry(!navigatorChosen && !stack.empty() ? 1 : 0);
    }

    host.RenewLabels();
    viewKindShown = host.GetActiveViewKind();
    if (CStackPanel* top = GetTopDialog())
        top->UpdateNavigationButtons();
}

void CDialogStackModel::OnViewClosed(const void* view)
{
    closing = true;
    auto it = stacks.find(view);
    if (view && it != stacks.end())
    {
        const std::deque<CStackPanel*> closed = std::move(it->second);
        stacks.erase(it);
        for (CStackPanel* panel : closed)
        {
            if (IsStacked(panel))
                continue;
            if (panel == current)
                current = navigator;
            panel->CloseFromBar();
        }
    }
    if (previousView == view)
        previousView = nullptr;
    closing = false;
}
