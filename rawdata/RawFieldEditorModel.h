#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CNikonRawDataField;
class CNikonRawDataRecord;
class CRawDataRecord;

// One row of the raw field editor apart from its windows: which field it edits, its label, and
// the value its control holds. The window layer fills `text`, `choice` and `timeChanged` from
// the controls before collecting.
struct CRawFieldEntry
{
    int32_t code = -1;
    int32_t kind = 0;
    std::string label;
    // The field's text in the line when the editor was built.
    std::string loaded;
    // Edits: the control's text. Time fields: the shown time "HH:MM:SS" (empty when the loaded
    // text was not a time, so the control shows the current time).
    std::string text;
    // Choice fields: the selected enumeration value, -1 for none.
    int32_t choice = -1;
    // Time fields: whether the user changed the shown time.
    bool timeChanged = false;
};

// The editor's short label for a field: placeholders removed, the configured plan captions for
// northing, easting and elevation, trimmed.
std::string RawFieldLabel(const CNikonRawDataField& field);

// One entry per field of the record, in line order, loaded from the field texts.
std::vector<CRawFieldEntry> BuildRawFieldEntries(CNikonRawDataRecord& record);

// Writes the entries into the record as a line of the given type: "*" when the record is marked
// deleted, the type's code, then the values separated by ",". Line breaks typed into an edit
// become blanks, so one record stays one line; a time the user did not touch keeps its text.
bool CollectRawFields(CRawDataRecord& record, int32_t type, const std::vector<CRawFieldEntry>& entries);

// The record-type chooser's entries "'CO' Comment:" ... "'F2' Face Two:"; the index is the
// record type (IN cannot be chosen).
std::vector<std::string> RawRecordTypeChoices();

// "h:m:s" read as three whole numbers; false when the text is not that.
bool ParseRawTime(const std::string& text, int* hours, int* minutes, int* seconds);
