#pragma once

#include "core/ColoredTextLines.h"
#include "model/DataFileDoc.h"

#include <wx/gdicmn.h>

#include <cstdint>
#include <string>
#include <vector>

class CMapCtrl;
class CObjectIdWnd;
class CObjectSelectWnd;
struct CHoverResult;
class wxWindow;

// The identification popup and the object chooser that every view tool shares: made when first
// needed (as children of the main window), gone with it. Each call does nothing when there is
// no popup to do it with.

// The shared identification popup; null until something was shown in it.
CObjectIdWnd* GetToolIdPopup();
// Makes it when needed; the parent is the main window, else the given window's top window.
CObjectIdWnd* EnsureToolIdPopup(wxWindow* near);
CObjectSelectWnd* GetToolSelectPopup();

// The objects at a map point, one page each, the first highlighted in the map.
void ShowToolObjectsAtPoint(const std::vector<RecordRef>& objects, const wxPoint& screen, double worldX,
                            double worldY, CMapCtrl* map, int32_t icon);
void ShowToolText(const CColoredTextLines& lines, const wxPoint& screen, int32_t icon, CMapCtrl* near);
// What the hover found under the cursor of the map, shown as the popup shows it.
void ShowToolHoverResult(const CHoverResult& result, const wxPoint& screen, double worldX, double worldY, CMapCtrl* map);
// The hover's identification at a client point of the map: the world size of the pick box about
// the point, a raw line drawn there or else the job objects there, shown beside the cursor.
// True when something was shown.
bool IdentifyAtMapPoint(CMapCtrl* map, const wxPoint& client);
bool IsToolIdPopupVisible();
// Space, Shift+Space and the wheel: true when the popup stepped.
bool StepToolIdPopup(bool forward);
void DismissToolIdPopup();
// Dismisses the popup and hands over the object shown; false when none was.
bool TakeToolIdPopupObject(RecordRef& out);
// Lets the person choose among overlapping objects: 1 when chosen with the first button, 0 when
// cancelled or when there are no objects.
int32_t ChooseToolObject(RecordRef& out, const std::vector<RecordRef>& objects, const wxPoint& screen, CMapCtrl* map,
                         const std::string& okCaption, const std::string& cancelCaption);
// At exit, and by tests.
void DestroyToolPopups();
