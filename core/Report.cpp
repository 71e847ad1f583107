#include "core/Report.h"

#include "core/ReportOutput.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBox.h"
#include "platform/RunTempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <unistd.h>

namespace {
CReportOutput* g_output = nullptr;
} // namespace

CReportOutput* SetReportOutput(CReportOutput* output)
{
    CReportOutput* previous = g_output;
    g_output = output;
    return previous;
}

CReportOutput* GetReportOutput() { return g_output; }

CReport::CReport(int32_t options) : m_options(options)
{
    Clear(true);
    m_changed = false;
}

CReport::~CReport() = default;

CReport& CReport::Clear(bool newSection)
{
    m_headerItems.clear();
    m_sections.clear();
    m_current = nullptr;
    m_swapA = m_swapB = -1;
    m_rendered.clear();
    m_changed = true;
    m_lastMode = false;
    if (newSection)
        NewSection();
    return *this;
}

void CReport::AddHeaderLine(const char* text)
{
    if (text != nullptr)
        m_headerItems.push_back(CReportHeaderItem{text, nullptr});
    m_changed = true;
}

void CReport::BuildFontList(const char* face, int32_t points, bool bold, bool italic)
{
    if (face == nullptr)
        return;
    auto font = std::make_unique<CReportFont>();
    // A face the writer cannot use falls back to 10-point "Arial" there.
    font->face = *face != '\0' ? face : "Arial";
    font->points = points > 0 ? points : 10;
    font->bold = bold;
    font->italic = italic;
    m_headerItems.push_back(CReportHeaderItem{std::string(), std::move(font)});
    m_changed = true;
}

CReport& CReport::NewSection()
{
    m_sections.push_back(std::make_unique<CReportSection>());
    m_current = m_sections.back().get();
    return *this;
}

CReportSection& CReport::Current()
{
    // Every path that forgets the current section starts a fresh one, so callers never meet a
    // report without one; this is the last guard.
    if (m_current == nullptr)
        NewSection();
    return *m_current;
}

CReport& CReport::AddColumn(const char* heading, int32_t flags)
{
    m_changed = true;
    CReportSection& section = Current();
    if (!section.rows.empty())
        return *this;
    CColumnInfo column{flags, heading != nullptr ? heading : ""};
    if (m_swapB >= 0 && int32_t(section.columns.size()) == m_swapB && !section.columns.empty())
        section.columns.insert(section.columns.end() - 1, std::move(column));
    else
        section.columns.push_back(std::move(column));
    return *this;
}

int32_t CReport::AddRow()
{
    m_changed = true;
    CReportSection& section = Current();
    if (!section.columns.empty())
        section.rows.emplace_back(section.columns.size());
    return int32_t(section.rows.size()) - 1;
}

void CReport::DeleteRow(int32_t row)
{
    m_changed = true;
    CReportSection& section = Current();
    if (row < 0 || row >= int32_t(section.rows.size()))
        return;
    section.rows.erase(section.rows.begin() + row);
}

void CReport::AddTextRow(const char* text)
{
    const int32_t row = AddRow();
    SetCell(0, row, text, false);
}

void CReport::AddPageBreakRow()
{
    const int32_t row = AddRow();
    SetCell(0, row, "\\page", true);
}

void CReport::SetCell(int32_t column, int32_t row, const char* text, bool raw)
{
    if (column == m_swapA)
        column = m_swapB;
    else if (column == m_swapB)
        column = m_swapA;
    m_changed = true;
    CReportSection& section = Current();
    if (text == nullptr || column < 0 || row < 0 || column >= int32_t(section.columns.size()) ||
        row >= int32_t(section.rows.size()))
        return;
    std::vector<std::string>& cells = section.rows[size_t(row)];
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

bool CReport::SetSwapColumns(int32_t a, int32_t b, bool northingFirst)
{
    if (!northingFirst) {
        m_swapA = std::min(a, b);
        m_swapB = std::max(a, b);
    }
    return true;
}

void CReport::ClearSections(bool keepCurrent)
{
    std::unique_ptr<CReportSection> kept;
    for (auto& section : m_sections)
        if (section.get() == m_current)
            kept = std::move(section);
    m_sections.clear();
    m_current = nullptr;
    if (kept != nullptr && keepCurrent) {
        kept->rows.clear();
        m_current = kept.get();
        m_sections.push_back(std::move(kept));
    } else {
        // Callers go on adding columns and rows after clearing without keeping; a fresh empty
        // section gives them somewhere to go.
        NewSection();
    }
    m_rendered.clear();
    m_changed = true;
    m_lastMode = false;
    m_swapA = m_swapB = -1;
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

int64_t CReport::GetTotalRowCount() const
{
    int64_t total = 0;
    for (const auto& section : m_sections)
        total += int64_t(section->rows.size());
    return total;
}

std::vector<std::string> CReport::GetHeaderLines() const
{
    std::vector<std::string> lines;
    for (const CReportHeaderItem& item : m_headerItems)
        if (item.font == nullptr)
            lines.push_back(item.text);
    return lines;
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

std::string CReport::GenerateRtf(bool mode, const std::string& name)
{
    // The name is on the date line, so another name needs another rendering too.
    if (mode != m_lastMode || name != m_lastName)
        m_changed = true;
    m_lastMode = mode;
    m_lastName = name;
    if (!m_changed)
        return m_rendered;
    std::string text;
    try {
        if (g_output != nullptr)
            text = g_output->RenderRtf(*this, mode, name);
    } catch (const std::bad_alloc&) {
        // Nothing is cached and the report stays changed, so the next call tries again.
        return "Out of memory. You must close other applications now to continue!";
    }
    m_rendered = std::move(text);
    m_changed = false;
    return m_rendered;
}

void CReport::ShowInMessageBar(bool respectUserClose, bool caretAtEnd)
{
    const std::string rtf = GenerateRtf(false);
    if (g_output == nullptr || !g_output->HasMainWindow())
        return;
    g_output->ShowRtfInMessageBar(rtf, caretAtEnd);
    const bool shown = (g_output->GetAutoShowMessages() || g_output->IsMessageBarVisible()) && !IsEmpty();
    bool show = shown;
    if (respectUserClose)
        show = shown && !g_output->GetUserClosedMessageBar();
    else
        g_output->SetUserClosedMessageBar(false);
    g_output->ShowMessageBar(show);
}

bool CReport::OpenInEditor(const std::string& name)
{
    if (IsEmpty()) {
        ShowMessageBoxFS("Empty Report.", MB_OK);
        return false;
    }
    const std::string rtf = GenerateRtf(true, name);
    return g_output != nullptr && g_output->SendTextToKVLEdit(rtf);
}

bool CReport::SaveRtf(const std::string& path, const std::string& name)
{
    if (path.empty())
        return false;
    const std::string rtf = GenerateRtf(true, name);
    return WriteFileReplacing(path, rtf);
}

bool CReport::PrintWithEditor()
{
    const std::string folder = GetRunTempFolder();
    if (folder.empty())
        return false;
    std::string path = folder + "MorvelReport-XXXXXX.rtf";
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0)
        return false;
    ::close(fd);
    if (!SaveRtf(path)) {
        ::unlink(path.c_str());
        return false;
    }
    // The editor prints and the file stays for it to read until the program exits.
    return g_output != nullptr && g_output->StartKVLEdit({"/p", path});
}
