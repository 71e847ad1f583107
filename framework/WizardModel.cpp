#include "framework/WizardModel.h"

int32_t CWizardModel::AddPage(bool enabled)
{
    m_pages.push_back(Page{enabled, {}, {}});
    return GetPageCount() - 1;
}

void CWizardModel::SetPageTexts(int32_t index, const std::string& next, const std::string& finish)
{
    if (index < 0 || index >= GetPageCount())
        return;
    m_pages[size_t(index)].nextText = next;
    m_pages[size_t(index)].finishText = finish;
}

bool CWizardModel::IsPageEnabled(int32_t index) const
{
    return index >= 0 && index < GetPageCount() && m_pages[size_t(index)].enabled;
}

void CWizardModel::SetPageEnabled(int32_t index, bool enabled)
{
    if (index < 0 || index >= GetPageCount())
        return;
    if (index != m_current)
        m_pages[size_t(index)].enabled = enabled;
    UpdateWizardButtons();
}

bool CWizardModel::HasEnabledPage(int32_t from, int32_t to) const
{
    for (int32_t i = from; i < to; ++i)
        if (IsPageEnabled(i))
            return true;
    return false;
}

void CWizardModel::Start()
{
    m_current = -1;
    for (int32_t i = 0; i < GetPageCount(); ++i) {
        if (m_current < 0 && IsPageEnabled(i))
            m_current = i;
        m_host.ShowWizardPage(i, false);
    }
    if (m_current < 0 && GetPageCount() > 0)
        m_current = 0;
    if (m_current >= 0)
        m_host.ShowWizardPage(m_current, true);
    UpdateWizardButtons();
}

bool CWizardModel::SetActivePage(int32_t index)
{
    if (m_current >= 0)
        m_host.OnLeavingWizardPage(m_current);
    if (index < 0 || index >= GetPageCount() || index == m_current || !IsPageEnabled(index))
        return false;
    if (m_current >= 0 && index > m_current && !m_host.ExchangeWizardPage(m_current, true))
        return false;
    if (m_current >= 0)
        m_host.ShowWizardPage(m_current, false);
    m_host.ExchangeWizardPage(index, false);
    m_host.ShowWizardPage(index, true);
    m_current = index;
    UpdateWizardButtons();
    m_host.OnWizardPageActivated(index);
    return true;
}

void CWizardModel::Back()
{
    for (int32_t i = m_current - 1; i >= 0; --i)
        if (IsPageEnabled(i)) {
            SetActivePage(i);
            return;
        }
}

void CWizardModel::ValidateAndFinish()
{
    if (m_current < 0 || m_host.ExchangeWizardPage(m_current, true))
        m_host.FinishWizard();
}

void CWizardModel::Next()
{
    if (GetPageCount() == 0)
        return;
    for (int32_t i = m_current + 1; i < GetPageCount(); ++i)
        if (IsPageEnabled(i)) {
            SetActivePage(i);
            return;
        }
    ValidateAndFinish();
}

void CWizardModel::UpdateWizardButtons()
{
    if (m_current < 0)
        return;
    const Page& page = m_pages[size_t(m_current)];
    m_host.SetBackEnabled(HasEnabledPage(0, m_current));
    if (HasEnabledPage(m_current + 1, GetPageCount())) {
        m_host.SetNextText(page.nextText.empty() ? DefaultNextText : page.nextText);
        m_host.SetHintText(NextHint);
    } else {
        m_host.SetNextText(page.finishText.empty() ? DefaultFinishText : page.finishText);
        m_host.SetHintText(FinishHint);
    }
}

bool CWizardModel::ValidateAllPages()
{
    if (GetPageCount() == 0)
        return true;
    int32_t shown = m_current;
    for (int32_t i = 0; i < GetPageCount(); ++i) {
        if (shown != i) {
            if (shown >= 0)
                m_host.ShowWizardPage(shown, false);
            m_host.ShowWizardPage(i, true);
            shown = i;
        }
        if (!m_host.ExchangeWizardPage(i, true)) {
            m_current = i;
            UpdateWizardButtons();
            return false;
        }
    }
    if (shown != m_current) {
        m_host.ShowWizardPage(shown, false);
        if (m_current >= 0)
            m_host.ShowWizardPage(m_current, true);
    }
    return true;
}
