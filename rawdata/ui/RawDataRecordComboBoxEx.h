#pragma once

#include "framework/ui/ComboBox.h"

class CIcons;

// The record-type chooser: "'CO' Comment:" to "'F2' Face Two:" with the raw list's icons; the
// item index is the record type (IN lines cannot be chosen).
class CRawDataRecordComboBoxEx : public CEasyComboBoxEx
{
public:
    CRawDataRecordComboBoxEx(wxWindow* parent, wxWindowID id, CIcons* icons);

    // Enables the chooser and lists the types again.
    void FillItems();

private:
    CIcons* m_icons;
};
