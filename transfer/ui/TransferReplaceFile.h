#pragma once

#include <wx/dialog.h>

#include <string>

// "Confirm File Replace": Yes, Yes to All, No, No to All or Cancel about one file on the PC or on
// the data collector. The modal result is the pressed button's id (TransferControls.h).
class CTransferReplaceFile : public wxDialog
{
public:
    static constexpr int TemplateId = 5606;
    static constexpr int QuestionId = 1232;

    explicit CTransferReplaceFile(wxWindow* parent);
    CTransferReplaceFile(const std::string& fileName, bool onPC, wxWindow* parent);

    const std::string& GetQuestion() const { return m_question; }

private:
    void Build();

    std::string m_question;
};
