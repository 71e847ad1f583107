#pragma once

#include "framework/ui/EasyDialog.h"

#include <string>

class CStaticLink;
class CCustomWizardButton;
class wxStaticText;

// "About Morvel": the program's name and version, when and how it was built, and a link to the
// maker's web site.
class CAboutDlg : public CEasyDialog
{
public:
    static constexpr int IdLink = 2117;
    static constexpr int IdAppName = 1036;
    static constexpr int IdBuildDate = 1901;
    static constexpr int IdBuildType = 1902;

    explicit CAboutDlg(wxWindow* parent);

    std::string m_appName;
    std::string m_buildDate;
    std::string m_buildType;
    CStaticLink* GetLink() const { return m_link; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    bool WantsStandardButtons() const override { return false; }

private:
    CStaticLink* m_link = nullptr;
};

// "Technical Support": the maker's support contacts, a link to its support page and one for
// e-mail to its support.
class CTechSupportDlg : public CEasyDialog
{
public:
    static constexpr int IdWebLink = 2118;
    static constexpr int IdMailLink = 2119;
    static constexpr int IdWizardButton = 2420;

    explicit CTechSupportDlg(wxWindow* parent);

    CStaticLink* GetWebLink() const { return m_webLink; }
    CStaticLink* GetMailLink() const { return m_mailLink; }

protected:
    void BuildControls() override;
    bool OnInitDialog() override;
    bool WantsStandardButtons() const override { return false; }

private:
    CStaticLink* m_webLink = nullptr;
    CStaticLink* m_mailLink = nullptr;
    CCustomWizardButton* m_wizardButton = nullptr;
};
