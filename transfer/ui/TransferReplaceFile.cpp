#include "transfer/ui/TransferReplaceFile.h"

#include "framework/ui/CustomButtons.h"
#include "framework/ui/ProgramServices.h"
#include "transfer/serial/TransferControls.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CTransferReplaceFile::CTransferReplaceFile(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Confirm File Replace")
{
    Build();
}

CTransferReplaceFile::CTransferReplaceFile(const std::string& fileName, bool onPC, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Confirm File Replace"), m_question(FormatReplaceFileQuestion(fileName, onPC))
{
    Build();
}

void CTransferReplaceFile::Build()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    if (CProgramServices* app = GetProgramServices())
        top->Add(new CCustomWizardButton(this, 2420, app->GetIcons()), 0, wxRIGHT, 10);
    auto* question = new wxStaticText(this, QuestionId, wxString::FromUTF8(m_question));
    question->Wrap(320);
    top->Add(question, 1);
    sizer->Add(top, 0, wxEXPAND | wxALL, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    const std::pair<int, const char*> rows[] = {{ReplaceFileYes, "&Yes"},
                                                {ReplaceFileYesToAll, "Y&es to All"},
                                                {ReplaceFileNo, "&No"},
                                                {ReplaceFileNoToAll, "N&o to All"},
                                                {wxID_CANCEL, "Cancel"}};
    for (const auto& [id, label] : rows) {
        auto* button = new wxButton(this, id, label);
        button->Bind(wxEVT_BUTTON, [this, id = id](wxCommandEvent&) {
            if (IsModal())
                EndModal(id);
            else
                SetReturnCode(id);
        });
        buttons->Add(button, 0, wxLEFT, 4);
    }
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
}
