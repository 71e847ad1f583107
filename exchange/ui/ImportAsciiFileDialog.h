#pragma once

#include "exchange/AsciiColumnLayout.h"
#include "exchange/ui/ImportFileDialog.h"

#include <vector>

class CEasyCheckListBox;

// File/Import ASCII: the column layout (checked and dragged into line order), the delimiter and
// the file's distance unit besides the shared group. A layout without a checked northing and
// easting is refused and nothing is stored.
class CImportAsciiFileDialog : public CImportFileDialog
{
public:
    static constexpr int IdColumns = 2169;
    static constexpr int IdCommas = 1064;
    static constexpr int IdTabs = 1861;
    static constexpr int IdSpaces = 1862;

    CImportAsciiFileDialog();

    void PreviewRenaming(const std::string& file) override;

    CEasyCheckListBox* GetColumnList() const { return m_columns; }
    // After Import: the checked types in list order, the delimiter text and the unit (0, 1, 2).
    const std::vector<uint16_t>& GetColumnTypes() const { return m_types; }
    const std::string& GetDelimiter() const { return m_delimiter; }
    int32_t GetDistanceUnit() const { return m_distanceUnit; }

    // The list as it stands, and the selected delimiter radio's code.
    CAsciiColumnLayout GetLayoutFromList() const;
    int32_t GetSelectedDelimiterCode() const;

protected:
    void BuildOwnControls(wxBoxSizer* sizer) override;
    bool OnInitDialog() override;
    bool OnFileNameOK() override;

private:
    CEasyCheckListBox* m_columns = nullptr;
    wxRadioButton* m_delimiters[3] = {};
    int32_t m_delimiterCode = 0;
    int32_t m_distanceUnit = 0;
    std::vector<uint16_t> m_types;
    std::string m_delimiter;
};
