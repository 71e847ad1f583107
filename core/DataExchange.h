#pragma once

#include "core/ScreenRect.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

// Field exchange between a dialog's controls and its variables, free of any window toolkit. The
// window layer adapts its controls and dialogs to the two interfaces below; tests use fakes.

// One control of a dialog as the exchange routines see it.
class CDdxControl
{
public:
    virtual ~CDdxControl() = default;

    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // Most characters the user may type; 0 takes the limit away.
    virtual void SetTextLimit(int chars) = 0;
    // Where the control is on the screen; empty when it has no place.
    virtual ScreenRect GetScreenRect() const = 0;
};

// The dialog whose controls are exchanged.
class CDdxDialog
{
public:
    virtual ~CDdxDialog() = default;

    // Null when the dialog holds no control of that id.
    virtual CDdxControl* GetDdxControl(int id) = 0;
    // While set, a refused field shows no pop-up (the exchange still fails).
    virtual bool IsDdxQuiet() const { return false; }
    // Brings the page that holds the dialog to the front (a tab page or wizard page).
    virtual void ShowDdxPage() {}
    // Gives the control the keyboard input, through the side-bar panel that holds it when there is one.
    virtual void GiveDdxFocus(int id) = 0;
    // 0x80EB: a dialog could hand the value routines a formatter of its own; none does, so 0.
    virtual intptr_t OnQueryDdxFlag80EB() { return 0; }
};

// Thrown by CDataExchange::Fail; RunDataExchange catches it.
class CDdxFailure : public std::exception
{
public:
    const char* what() const noexcept override { return "field exchange failed"; }
};

// One run of a dialog's exchange, in one direction.
class CDataExchange
{
public:
    CDataExchange(CDdxDialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
    {
    }

    // Marks the control as the one to return to and hands it out; null when the dialog lacks it.
    CDdxControl* PrepareEditCtrl(int id);
    // Stops the exchange: when saving, the focus goes back to the last prepared control, unless
    // the report of the refusal gave a control the input already (typing may have gone on since),
    // whichever control that was.
    [[noreturn]] void Fail();
    int GetLastControlId() const { return m_lastControlId; }
    // The report of a refusal gave its control the input.
    void NoteInputGiven() { m_inputGiven = true; }

    bool m_bSaveAndValidate;
    CDdxDialog* m_pDlgWnd;

private:
    int m_lastControlId = 0;
    bool m_inputGiven = false;
};

// Runs exchange over the dialog's controls; false when a routine failed the exchange.
bool RunDataExchange(CDdxDialog& dialog, bool save, const std::function<void(CDataExchange&)>& exchange);

// --- Reporting a refused field.

// What the validation pop-up needs: the message and the control to stand beside.
struct DdxErrorRequest
{
    CDataExchange* context = nullptr;
    int controlId = 0;
    CDdxControl* control = nullptr;
    std::string message;
    // Gives the control the input (once; later calls do nothing). The pop-up calls it the moment
    // it closes, before it handles any later input, so what is typed next lands in the control.
    std::function<void()> giveInput;
};

// Shows the pop-up modally and returns 1 (Enter) or 2 (closed otherwise). The window layer installs
// the real pop-up; tests install a recorder. Without a handler the message goes to standard error
// and the answer is 1.
using DdxErrorHandler = std::function<int(const DdxErrorRequest& request)>;
DdxErrorHandler SetDdxErrorHandler(DdxErrorHandler handler);

// Shows the pop-up beside the control (not while the dialog is quiet) and gives the control the
// input. Returns the pop-up's answer, or 2 when none was shown. Does not fail the exchange.
int ShowDdxError(CDataExchange* dx, int id, const std::string& message);
int ShowDdxErrorId(CDataExchange* dx, int id, uint32_t stringId);

// The failure routines: each returns false; with quiet clear it shows its message and fails the
// exchange, in either direction (the checks decide whether they run while loading).
bool FailWithText(CDataExchange* dx, int id, const std::string& message, bool quiet);
bool FailWithMessage(CDataExchange* dx, int id, const std::string& message, bool quiet);
bool FailWithMessageId(CDataExchange* dx, int id, uint32_t stringId, bool quiet);
// The format's "%s" receives the offending text as typed, "???" when it is empty.
bool FailWithFormat(CDataExchange* dx, int id, const std::string& format, const std::string& text, bool quiet);
// The format's "%d" receives the number.
bool FailWithFormatInt(CDataExchange* dx, int id, const std::string& format, int value, bool quiet);
// "Value must be greater than %1 and less than %2." with both bounds printed with one decimal.
bool FailValueRange(CDataExchange* dx, int id, double minimum, double maximum, bool quiet);

// The dialog's answer to 0x80EB; 0 without an exchange or a dialog.
intptr_t QueryDdxDialogFlag(CDataExchange* dx);

// Sets the text unless the control already shows it (texts of up to 256 characters are compared);
// true when the text was set.
bool SetWindowTextIfChanged(CDdxControl* control, const std::string& text);
