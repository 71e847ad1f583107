#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CDataExchange;

// Exchange routines for texts: point names and descriptions, dates and times, file names and
// folders, plain text and framework-style numbers. They follow the conventions of the survey-value
// routines (core/FieldExchange.h): loading writes only a changed text, a refusal shows one pop-up
// and fails the exchange unless quiet, and the checks do nothing while loading (except
// DDV_Description).

// --- Point names and descriptions (at most 16 characters).
// Refuses an empty name, one longer than 16 characters and one the job's rule refuses.
bool DDV_PointName(CDataExchange* dx, int id, const std::string& name, bool quiet = false);
// The active job must hold the point.
bool DDV_ExistingPointName(CDataExchange* dx, int id, const std::string& name, bool quiet = false);
// A name the job does not hold becomes the first free one (distinct within one exchange); a name it
// holds goes to the point-exists prompt.
bool DDV_NewPointName(CDataExchange* dx, int id, std::string& name, bool quiet = false);
// At most 16 characters; checked while loading too.
bool DDV_Description(CDataExchange* dx, int id, const std::string& text, bool quiet = false);
// The framework's length check: loading limits the control to maxChars, saving refuses a longer text.
bool DDV_MaxChars(CDataExchange* dx, int id, const std::string& text, int maxChars, bool quiet = false);

bool DDX_NewPointName(CDataExchange* dx, int id, std::string& name, bool quiet = false);
bool DDX_ExistingPointName(CDataExchange* dx, int id, std::string& name, bool quiet = false);
// The control then shows the name the prompt settled on.
bool DDX_PointNameMayExist(CDataExchange* dx, int id, std::string& name, bool quiet = false);
bool DDX_Description(CDataExchange* dx, int id, std::string& text, bool quiet = false);

// Answers of the point-exists prompt: use the name in *chosen, or cancel the exchange; any other
// answer keeps the typed name.
inline constexpr int PointExistsUseChosen = 1;
inline constexpr int PointExistsCancel = 2;
// Asked when a new point's name is taken; freeName is the first free one. The COGO fields install
// the real prompt; without one the typed name is kept.
using PointExistsPrompt = std::function<int(const std::string& name, const std::string& freeName, std::string* chosen)>;
PointExistsPrompt SetPointExistsPrompt(PointExistsPrompt prompt);

// --- Dates ("%d-%d-%4d", month first) and times ("%d:%02d:%02d").
bool DDX_Date(CDataExchange* dx, int id, std::string& date, bool quiet = false);
bool DDX_Time(CDataExchange* dx, int id, std::string& time, bool quiet = false);

// --- Files and folders.
bool DDV_FilePath(CDataExchange* dx, int id, const std::string& path, bool quiet = false);
// As DDV_FilePath, after the file name passed the short-name test.
bool DDV_DosFilePath(CDataExchange* dx, int id, const std::string& path, bool quiet = false);
// Stores the full path of the named file.
bool DDX_FileName(CDataExchange* dx, int id, std::string& path, bool quiet = false);
bool DDX_ExistingFile(CDataExchange* dx, int id, std::string& path, bool quiet = false);
bool DDX_WritableFolder(CDataExchange* dx, int id, std::string& folder, bool quiet = false);
// Cuts the extension off a name that ends with it.
bool DDX_ProjectName(CDataExchange* dx, int id, std::string& name, const std::string& folder,
                     const std::string& extension, bool quiet = false);
// Makes a selection-file path: the job's folder when none is typed, the extension "Sel".
bool DDX_SelectionFilePath(CDataExchange* dx, int id, std::string& path, bool quiet = false);
// The absolute path of an existing file; false (fullName unchanged) when there is none.
bool GetFullFileName(const std::string& path, std::string* fullName);

// --- Plain text.
bool DDX_String(CDataExchange* dx, int id, std::string& text);
// The text is cut to size - 1 bytes at a character boundary and terminated.
bool DDX_CharBuffer(CDataExchange* dx, int id, char* buffer, std::size_t size);

// --- Framework-style integers and floating numbers.
// Scans an integer by a scanf-like format ("%d", "%u", "%ld", "%lu", "%sd"); only blanks and tabs
// may surround it. False when the text is not such a number.
bool ScanIntegerText(const std::string& text, const char* format, int64_t* value);
bool DDX_TextWithFormat(CDataExchange* dx, int id, bool quiet, const char* format, const std::string& prompt,
                        int64_t& value);
bool DDX_Byte(CDataExchange* dx, int id, uint8_t& value, bool quiet = false);
bool DDX_Short(CDataExchange* dx, int id, int16_t& value, bool quiet = false);
bool DDX_IntText(CDataExchange* dx, int id, int32_t& value, bool quiet = false);
bool DDX_UInt(CDataExchange* dx, int id, uint32_t& value, bool quiet = false);
bool DDX_Long(CDataExchange* dx, int id, int32_t& value, bool quiet = false);
bool DDX_DWord(CDataExchange* dx, int id, uint32_t& value, bool quiet = false);
bool DDX_Float(CDataExchange* dx, int id, float& value, bool quiet = false);
bool DDX_DoubleText(CDataExchange* dx, int id, double& value, bool quiet = false);
