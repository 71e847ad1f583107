#include "core/Report.h"

CReport::CReport(int32_t options) : m_options(options)
{
    Clear(true);
    m_changed = false;
}

CReport& CReport::Clear(bool newSection)
{
    m_headerLines.clear();
    m_sections.clear();
    m_current = nullptr;
    m_changed = true;
    if (newSection)
        NewSection();
    return *this;
}

void CReport::AddHeaderLine(const char* text)
{
    if (text != nullptr)
        m_headerLines.emplace_back(text);
    m_changed = true;
}

CReport& CReport::NewSection()
{
    m_sections.push_back(std::make_unique<CReportSection>());
    m_current = m_sections.back().get();
    return *this;
}

CReport& CReport::AddColumn(const char* heading, int32_t flags)
{
    m_changed = true;
    if (m_current == nullptr || !m_current->rows.empty())
        return *this;
    m_current->columns.push_back(CColumnInfo{flags, heading != nullptr ? heading : ""});
    return *this;
}

int32_t CReport::AddRow()
{
    m_changed = true;
    if (m_current == nullptr)
        return -1;
    if (!m_current->columns.empty())
        m_current->rows.emplace_back(m_current->columns.size());
    return int32_t(m_current->rows.size()) - 1;
}

void CReport::DeleteRow(int32_t row)
{
    m_changed = true;
    if (m_current == nullptr || row < 0 || row >= int32_t(m_current->rows.size()))
        return;
    m_current->rows.erase(m_current->rows.begin() + row);
}

void CReport::AddTextRow(const char* text)
{
    SetCell(0, AddRow(), text, false);
}

void CReport::SetCell(int32_t column, int32_t row, const char* text, bool raw)
{
    m_changed = true;
    if (text == nullptr || m_current == nullptr || column < 0 || row < 0 ||
        column >= int32_t(m_current->columns.size()) || row >= int32_t(m_current->rows.size()))
        return;
    std::vector<std::string>& cells = m_current->rows[size_t(row)];
    if (size_t(column) >= cells.size())
        return;
    std::string stored;
    if (*text == '\0') {
        stored = " ";
    } else if (raw) {
        stored = text;
    } else {
        for (const char* p = text; *p != '\0'; ++p) {
            stored += *p;
            if (*p == '\\')
                stored += '\\';
        }
    }
    cells[size_t(column)] = std::move(stored);
}

void CReport::ClearSections(bool keepCurrent)
{
    std::unique_ptr<CReportSection> kept;
    for (auto& section : m_sections)
        if (section.get() == m_current)
            kept = std::move(section);
    m_sections.clear();
    if (kept != nullptr) {
        kept->rows.clear();
        if (keepCurrent) {
            m_sections.push_back(std::move(kept));
        }
    }
    m_current = m_sections.empty() ? nullptr : m_sections.back().get();
    m_changed = true;
}

bool CReport::IsEmpty() const
{
    for (const auto& section : m_sections)
        if (!section->rows.empty())
            return false;
    return true;
}

int32_t CReport::GetRowCount() const
{
    return m_current != nullptr ? int32_t(m_current->rows.size()) : 0;
}

std::string CReport::GetCell(size_t section, int32_t column, int32_t row) const
{
    if (section >= m_sections.size())
        return {};
    const CReportSection& s = *m_sections[section];
    if (row < 0 || size_t(row) >= s.rows.size() || column < 0 || size_t(column) >= s.rows[size_t(row)].size())
        return {};
    return s.rows[size_t(row)][size_t(column)];
}
