#include "views/ui/ToolPopups.h"

#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/ProgramServices.h"
#include "model/MorvelSettings.h"
#include "views/HoverIdentify.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ObjectSelectWnd.h"

#include <cmath>

namespace {

CObjectIdWnd* s_idPopup = nullptr;
CObjectSelectWnd* s_selectPopup = nullptr;

wxWindow* PopupParent(wxWindow* near)
{
    if (CProgramServices* app = GetProgramServices())
        if (wxWindow* frame = app->GetMainWindow())
            return frame;
    return near ? wxGetTopLevelParent(near) : nullptr;
}

} // namespace

CObjectIdWnd* GetToolIdPopup()
{
    return s_idPopup;
}

CObjectIdWnd* EnsureToolIdPopup(wxWindow* near)
{
    if (s_idPopup)
        return s_idPopup;
    wxWindow* parent = PopupParent(near);
    if (!parent || parent->IsBeingDeleted())
        return nullptr;
    auto* popup = new CObjectIdWnd(false);
    if (!popup->Create(parent)) {
        delete popup;
        return nullptr;
    }
    // The parent destroys it; forget it then.
    popup->Bind(wxEVT_DESTROY, [popup](wxWindowDestroyEvent& e) {
        e.Skip();
        if (e.GetEventObject() == popup && s_idPopup == popup)
            s_idPopup = nullptr;
    });
    s_idPopup = popup;
    return popup;
}

CObjectSelectWnd* GetToolSelectPopup()
{
    return s_selectPopup;
}

void ShowToolObjectsAtPoint(const std::vector<RecordRef>& objects, const wxPoint& screen, double worldX,
                            double worldY, CMapCtrl* map, int32_t icon)
{
    if (CObjectIdWnd* popup = EnsureToolIdPopup(map))
        popup->ShowForPick(objects, screen, worldX, worldY, map ? &map->Core() : nullptr, icon);
}

void ShowToolText(const CColoredTextLines& lines, const wxPoint& screen, int32_t icon, CMapCtrl* near)
{
    if (CObjectIdWnd* popup = EnsureToolIdPopup(near))
        popup->ShowLines(lines, screen.x, screen.y, std::vector<int32_t>{icon});
}

void ShowToolHoverResult(const CHoverResult& result, const wxPoint& screen, double worldX, double worldY, CMapCtrl* map)
{
    if (result.kind == CHoverResult::Kind::RawLine)
        ShowToolText(result.lines, screen, result.icon, map);
    else if (result.kind == CHoverResult::Kind::Objects)
        ShowToolObjectsAtPoint(result.objects, screen, worldX, worldY, map, result.icon);
}

bool IdentifyAtMapPoint(CMapCtrl* map, const wxPoint& client)
{
    if (!map || !map->Core().GetMapping().IsValid())
        return false;
    CMapCtrlCore& core = map->Core();
    CPickQuery q;
    q.point = DevicePoint{client.x, client.y};
    core.OnDeviceToWorld8083(q);
    // Half-extents: the world size of the pick box, from the points (P/2, P/2) and (P, P).
    const int32_t box = GetMorvelSettings().GetPickBoxSize();
    const CLocation a = core.GetMapping().DeviceToWorld(box / 2, box / 2);
    const CLocation b = core.GetMapping().DeviceToWorld(box, box);
    const CHoverResult result =
        IdentifyAtLocation(core, q.location.x, q.location.y, std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    if (result.kind == CHoverResult::Kind::Nothing)
        return false;
    ShowToolHoverResult(result, map->ClientToScreen(client), q.location.x, q.location.y, map);
    return true;
}

bool IsToolIdPopupVisible()
{
    return s_idPopup && s_idPopup->IsPopupVisible();
}

bool StepToolIdPopup(bool forward)
{
    return s_idPopup && (forward ? s_idPopup->NextObject() : s_idPopup->PreviousObject());
}

void DismissToolIdPopup()
{
    if (s_idPopup)
        s_idPopup->Dismiss();
}

bool TakeToolIdPopupObject(RecordRef& out)
{
    out = RecordRef{};
    if (!s_idPopup || !s_idPopup->IsPopupVisible())
        return false;
    s_idPopup->Cancel(out);
    return out.record != nullptr;
}

int32_t ChooseToolObject(RecordRef& out, const std::vector<RecordRef>& objects, const wxPoint& screen, CMapCtrl* map,
                         const std::string& okCaption, const std::string& cancelCaption)
{
    if (objects.empty())
        return 0;
    if (!s_selectPopup) {
        s_selectPopup = new CObjectSelectWnd();
        s_selectPopup->Bind(wxEVT_DESTROY, [](wxWindowDestroyEvent& e) {
            e.Skip();
            if (e.GetEventObject() == s_selectPopup)
                s_selectPopup = nullptr;
        });
    }
    DismissToolIdPopup();
    CObjectSelectWnd* chooser = s_selectPopup;
    const int result = chooser->Choose(out, objects, screen.x, screen.y, map ? &map->Core() : nullptr,
                                       PopupParent(map), okCaption, cancelCaption);
    // Without a window to live in (no main window yet) it is not kept.
    if (!chooser->GetHandle()) {
        s_selectPopup = nullptr;
        delete chooser;
    }
    return result == wxID_OK ? 1 : 0;
}

void DestroyToolPopups()
{
    if (s_idPopup) {
        CObjectIdWnd* popup = s_idPopup;
        s_idPopup = nullptr;
        popup->Destroy();
    }
    if (s_selectPopup) {
        CObjectSelectWnd* chooser = s_selectPopup;
        s_selectPopup = nullptr;
        if (chooser->GetHandle())
            chooser->Destroy();
        else
            delete chooser;
    }
}
