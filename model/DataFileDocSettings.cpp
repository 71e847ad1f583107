#include "model/DataFileDocSettings.h"

#include "model/DataFileDoc.h"

void CDataFileDocSettings::NoteChange(const char* historyText) const
{
    if (CDataFileDoc* document = GetDocument())
        document->SetModifiedWithText(historyText, true, true);
}

void CDataFileDocSettings::SetDistanceUnit(int32_t code)
{
    m_distanceUnit = code;
    NoteChange("Set survey units");
}

void CDataFileDocSettings::SetAngleUnit(int32_t code)
{
    m_angleUnit = code;
    NoteChange("Set angle units");
}

void CDataFileDocSettings::SetAzimuthFormat(int32_t code)
{
    m_azimuthFormat = code;
    NoteChange("Set azimuth format");
}
