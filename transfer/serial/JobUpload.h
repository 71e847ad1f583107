#pragma once

#include "transfer/serial/InstrumentModels.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CDataFileDoc;
class CNikonColumnCollection;
class CSelection;

// Why some selected points will not reach the instrument, for the first name (in the order
// given) that breaks the model's rules: "they use alphanumeric point names" or "they use point
// names longer than %d"; empty when every name passes.
std::string FindUploadRefusalReason(const CInstrumentModel& model, const std::vector<std::string>& names);
// "Some points in the selection will not be sent ... because %s.\nDo you want to continue?"
std::string FormatUploadQuestion(const std::string& reason);

// The upload text as a text-mode file stores it (every LF preceded by a CR, so a record's
// ",\r\n" is stored as ",\r\r\n"): the job's points in name order that are selected and pass the
// model's rules, in the job's display unit; records with check characters between "A,01," and
// "Z," for the record-format models, else one column line per point. A comma in a description
// would shift the instrument's columns, so it goes as a blank.
std::string MakeUploadText(CDataFileDoc& doc, const CSelection& selection, const CInstrumentModel& model,
                           const CNikonColumnCollection& columns, int32_t& count);

// The outcome of one Send, for the panel (and tests) to act on.
enum class SendJobResult
{
    Sent,
    Busy,            // another transfer holds the lock (it has told the person)
    NothingSelected, // the panel shows "Nothing Selected" at its selection input
    Declined,        // the person cancelled the question about refused names
    FileFailed,      // "Failed to generate temporary ASCII file" shown; the file is gone
    SendFailed,      // the loop has told the person; the file is gone, no log line
};

// How the file reaches the instrument: by lines for the record-format models, else in blocks.
// The window layer passes the real loops with their progress dialog; tests pass their own.
using UploadSender = std::function<bool(const std::string& path, bool byLines)>;

// The whole Send: the lock, the selection and name checks (asking through the message box), the
// temporary file in the active job's folder, the sending, its removal and the log line.
SendJobResult SendJob(CDataFileDoc& doc, int32_t modelIndex, const CNikonColumnCollection& columns,
                      const UploadSender& send);
