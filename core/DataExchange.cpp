#include "core/DataExchange.h"

#include "core/ProgramHelpers.h"
#include "core/ResourceStrings.h"
#include "core/TextUtil.h"

#include <charconv>
#include <cstdio>
#include <utility>

namespace {

DdxErrorHandler& ErrorHandler()
{
    static DdxErrorHandler handler;
    return handler;
}

// "%.1lf", always with '.'.
std::string OneDecimal(double v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string("?");
}

} // namespace

CDdxControl* CDataExchange::PrepareEditCtrl(int id)
{
    m_lastControlId = id;
    // A report made before this control was prepared belongs to an earlier step.
    m_inputGiven = false;
    return m_pDlgWnd ? m_pDlgWnd->GetDdxControl(id) : nullptr;
}

void CDataExchange::Fail()
{
    // A check may name a field exchanged before the last one: once its report has given that field
    // the input, the keyboard stays there, whatever was prepared last.
    if (m_bSaveAndValidate && m_pDlgWnd && m_lastControlId != 0 && !m_inputGiven)
        m_pDlgWnd->GiveDdxFocus(m_lastControlId);
    throw CDdxFailure();
}

bool RunDataExchange(CDdxDialog& dialog, bool save, const std::function<void(CDataExchange&)>& exchange)
{
    CDataExchange dx(&dialog, save);
    try {
        exchange(dx);
    } catch (const CDdxFailure&) {
        return false;
    }
    return true;
}

DdxErrorHandler SetDdxErrorHandler(DdxErrorHandler handler)
{
    return std::exchange(ErrorHandler(), std::move(handler));
}

int ShowDdxError(CDataExchange* dx, int id, const std::string& message)
{
    CDdxDialog* dialog = dx ? dx->m_pDlgWnd : nullptr;
    if (dialog)
        dialog->ShowDdxPage();
    CDdxControl* control = dialog ? dialog->GetDdxControl(id) : nullptr;
    int result = 2;
    bool given = false;
    const auto giveInput = [&] {
        if (given || !control)
            return;
        given = true;
        dialog->GiveDdxFocus(id);
        if (dx)
            dx->NoteInputGiven();
    };
    if (control && !dialog->IsDdxQuiet()) {
        if (ErrorHandler()) {
            result = ErrorHandler()({dx, id, control, message, giveInput});
        } else {
            std::fprintf(stderr, "%s\n", message.c_str());
            result = 1;
        }
    }
    giveInput();
    return result;
}

int ShowDdxErrorId(CDataExchange* dx, int id, uint32_t stringId)
{
    return ShowDdxError(dx, id, LoadResourceString(stringId));
}

bool FailWithText(CDataExchange* dx, int id, const std::string& message, bool quiet)
{
    if (!quiet) {
        ShowDdxError(dx, id, message);
        if (dx)
            dx->Fail();
    }
    return false;
}

bool FailWithMessage(CDataExchange* dx, int id, const std::string& message, bool quiet)
{
    return FailWithText(dx, id, message, quiet);
}

bool FailWithMessageId(CDataExchange* dx, int id, uint32_t stringId, bool quiet)
{
    return FailWithText(dx, id, LoadResourceString(stringId), quiet);
}

bool FailWithFormat(CDataExchange* dx, int id, const std::string& format, const std::string& text, bool quiet)
{
    return FailWithText(dx, id, textutil::ReplaceFirst(format, "%s", text.empty() ? "???" : text), quiet);
}

bool FailWithFormatInt(CDataExchange* dx, int id, const std::string& format, int value, bool quiet)
{
    return FailWithText(dx, id, textutil::ReplaceFirst(format, "%d", std::to_string(value)), quiet);
}

bool FailValueRange(CDataExchange* dx, int id, double minimum, double maximum, bool quiet)
{
    std::string message = LoadResourceString(1563);
    message = textutil::ReplaceFirst(message, "%1", OneDecimal(minimum));
    message = textutil::ReplaceFirst(message, "%2", OneDecimal(maximum));
    return FailWithText(dx, id, message, quiet);
}

intptr_t QueryDdxDialogFlag(CDataExchange* dx)
{
    return dx && dx->m_pDlgWnd ? dx->m_pDlgWnd->OnQueryDdxFlag80EB() : 0;
}

bool SetWindowTextIfChanged(CDdxControl* control, const std::string& text)
{
    if (!control)
        return false;
    // Texts beyond what the comparison buffer holds are always written.
    if (CountCharacters(text) <= 255 && control->GetText() == text)
        return false;
    control->SetText(text);
    return true;
}
