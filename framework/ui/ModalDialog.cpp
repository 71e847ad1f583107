#include "framework/ui/ModalDialog.h"

#include <wx/dialog.h>

#include <utility>

namespace {
ModalAnswerer& Answerer()
{
    static ModalAnswerer answerer;
    return answerer;
}
} // namespace

int RunModal(wxDialog& dialog)
{
    if (Answerer())
        return Answerer()(dialog);
    return dialog.ShowModal();
}

ModalAnswerer SetModalAnswerer(ModalAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }
