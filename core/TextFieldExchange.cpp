#include "core/TextFieldExchange.h"

#include "core/DataExchange.h"
#include "core/FieldExchange.h"
#include "core/JobValueSource.h"
#include "core/Location.h"
#include "core/PathHelpers.h"
#include "core/PointName.h"
#include "core/ProgramHelpers.h"
#include "core/ResourceStrings.h"
#include "core/TextUtil.h"
#include "core/Utf8.h"
#include "core/ValueText.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

constexpr int NameTextLimit = 16;
constexpr int DateTextLimit = 64;
constexpr int PathTextLimit = 260;
constexpr int ProjectNameLimit = 256;
constexpr int NumberTextLimit = 64;
constexpr int NumberCharsRead = 31;

// The framework's own prompts for its text-to-number fields.
constexpr const char* PromptParseInt = "Please enter an integer.";
constexpr const char* PromptParseUInt = "Please enter a positive integer.";
constexpr const char* PromptParseByte = "Please enter an integer between 0 and 255.";
constexpr const char* PromptParseReal = "Please enter a number.";

PointExistsPrompt& ExistsPrompt()
{
    static PointExistsPrompt prompt;
    return prompt;
}

CDdxControl* Prepare(CDataExchange* dx, int id, int limit)
{
    CDdxControl* control = dx->PrepareEditCtrl(id);
    if (control && limit >= 0)
        control->SetTextLimit(limit);
    return control;
}

bool HasAnyOf(const std::string& text, const char* characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

constexpr const char* FileNameForbidden = "<>:\"/\\|*?";
constexpr const char* ProjectNameForbidden = "<>:\"/\\|";

bool JobNameCheck(const std::string& name)
{
    CJobValueSource* job = GetActiveJobValueSource();
    return job ? job->IsValidPointName(name.c_str()) : IsValidPointName(name.c_str());
}

bool PointExists(const std::string& name)
{
    CJobValueSource* job = GetActiveJobValueSource();
    CLocation location;
    return job && job->FindPointLocation(name, &location);
}

int CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// The number of fields "%d%c%d%c%d" takes from the text, as the C scanner counts them.
int ScanThreeNumbers(const std::string& text, int* a, char* s1, int* b, char* s2, int* c)
{
    return std::sscanf(text.c_str(), "%d%c%d%c%d", a, s1, b, s2, c);
}

bool ExchangeIntegerText(CDataExchange* dx, int id, bool quiet, const char* format, const char* prompt,
                         int64_t& value, int64_t minimum, int64_t maximum)
{
    int64_t v = value;
    if (!DDX_TextWithFormat(dx, id, quiet, format, prompt, v))
        return false;
    if (dx->m_bSaveAndValidate) {
        if (v < minimum || v > maximum)
            return FailWithText(dx, id, prompt, quiet);
        value = v;
    }
    return true;
}

template <typename T>
bool ExchangeInteger(CDataExchange* dx, int id, T& value, const char* format, const char* prompt, int64_t minimum,
                     int64_t maximum, bool quiet)
{
    int64_t v = static_cast<int64_t>(value);
    if (!ExchangeIntegerText(dx, id, quiet, format, prompt, v, minimum, maximum))
        return false;
    value = static_cast<T>(v);
    return true;
}

std::string GeneralText(double v, int precision)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string();
}

bool ExchangeFloatingText(CDataExchange* dx, int id, double& value, int precision, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, NumberTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, GeneralText(value, precision));
        return true;
    }
    double v = 0;
    if (!ParseDouble(&v, ReadControlText(dx, id, NumberCharsRead), false))
        return FailWithText(dx, id, PromptParseReal, quiet);
    value = v;
    return true;
}

// A refusal of the point-name family, with the text the user sees.
bool RefuseName(CDataExchange* dx, int id, const std::string& message, bool quiet)
{
    return FailWithMessage(dx, id, message, quiet);
}

} // namespace

PointExistsPrompt SetPointExistsPrompt(PointExistsPrompt prompt)
{
    return std::exchange(ExistsPrompt(), std::move(prompt));
}

// --- Point names.

bool DDV_PointName(CDataExchange* dx, int id, const std::string& name, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    const std::string trimmed = textutil::Trim(name);
    if (trimmed.empty())
        return RefuseName(dx, id, "Please enter a point name.", quiet);
    if (Utf8CharCount(trimmed) > MaxPointNameChars)
        return FailWithFormatInt(dx, id, "The maximum number of characters a point name may have is %d.",
                                 static_cast<int>(MaxPointNameChars), quiet);
    if (!JobNameCheck(trimmed))
        return RefuseName(dx, id, "Invalid point name.", quiet);
    return true;
}

bool DDV_ExistingPointName(CDataExchange* dx, int id, const std::string& name, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    if (PointExists(textutil::Trim(name)))
        return true;
    return FailWithMessageId(dx, id, 37, quiet);
}

bool DDV_NewPointName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    const std::string trimmed = textutil::Trim(name);
    if (!JobNameCheck(trimmed))
        return RefuseName(dx, id, "Invalid point name.", quiet);
    CJobValueSource* job = GetActiveJobValueSource();
    const std::string freeName = job ? job->MakeUniquePointName(trimmed) : trimmed;
    if (PointExists(trimmed)) {
        std::string chosen = trimmed;
        const int answer = ExistsPrompt() ? ExistsPrompt()(trimmed, freeName, &chosen) : 0;
        if (answer == PointExistsUseChosen) {
            name = chosen;
            return true;
        }
        if (answer == PointExistsCancel) {
            if (!quiet) {
                // No report gave the name the keyboard: it is the field to return to.
                dx->PrepareEditCtrl(id);
                dx->Fail();
            }
            return false;
        }
        return true;
    }
    if (!DDV_PointName(dx, id, freeName, quiet))
        return false;
    name = freeName;
    return true;
}

bool DDV_Description(CDataExchange* dx, int id, const std::string& text, bool quiet)
{
    // Checked in both directions, so a text too long to store is caught as the dialog fills.
    if (Utf8CharCount(text) <= MaxPointNameChars)
        return true;
    return FailWithFormat(dx, id, "%s is an invalid description", text, quiet);
}

bool DDV_MaxChars(CDataExchange* dx, int id, const std::string& text, int maxChars, bool quiet)
{
    if (!dx->m_bSaveAndValidate) {
        if (CDdxControl* control = dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDdxControl(id) : nullptr)
            control->SetTextLimit(maxChars);
        return true;
    }
    if (Utf8CharCount(text) <= static_cast<std::size_t>(std::max(maxChars, 0)))
        return true;
    return FailWithFormatInt(dx, id, "Please enter no more than %d characters.", maxChars, quiet);
}

bool DDX_NewPointName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, NameTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, FormatPointNameText(name, true));
        return true;
    }
    const std::string text = ReadControlText(dx, id, NameTextLimit);
    if (!DDV_PointName(dx, id, text, quiet))
        return false;
    name = text;
    return true;
}

bool DDX_ExistingPointName(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, NameTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, FormatPointNameText(name, true));
        return true;
    }
    const std::string text = ReadControlText(dx, id, NameTextLimit);
    if (!DDV_ExistingPointName(dx, id, text, quiet))
        return false;
    name = textutil::Trim(text);
    return true;
}

bool DDX_PointNameMayExist(CDataExchange* dx, int id, std::string& name, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, NameTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, FormatPointNameText(name, true));
        return true;
    }
    std::string text = ReadControlText(dx, id, NameTextLimit);
    if (!DDV_NewPointName(dx, id, text, quiet))
        return false;
    SetWindowTextIfChanged(control, text);
    name = text;
    return true;
}

bool DDX_Description(CDataExchange* dx, int id, std::string& text, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, NameTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, text);
        return DDV_Description(dx, id, text, quiet);
    }
    const std::string typed = ReadControlText(dx, id, 0);
    if (!DDV_Description(dx, id, typed, quiet))
        return false;
    text = typed;
    return true;
}

// --- Dates and times.

bool DDX_Date(CDataExchange* dx, int id, std::string& date, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, DateTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, date);
        return true;
    }
    const std::string text = ReadControlText(dx, id, DateTextLimit);
    int month = 0, day = 0, year = 0;
    char s1 = 0, s2 = 0;
    const int fields = ScanThreeNumbers(text, &month, &s1, &day, &s2, &year);
    if (fields == 5) {
        if (year < 100)
            year += CurrentYear() / 100 * 100;
    } else if (fields == 3) {
        year = CurrentYear();
    } else {
        year = 0;
    }
    if (year <= 1969 || !IsValidDate(year, month, day))
        return FailWithMessageId(dx, id, 30, quiet);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d-%d-%4d", month, day, year);
    date = buf;
    return true;
}

bool DDX_Time(CDataExchange* dx, int id, std::string& time, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, DateTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, time);
        return true;
    }
    const std::string text = ReadControlText(dx, id, DateTextLimit);
    int hours = 0, minutes = 0, seconds = 0;
    char s1 = 0, s2 = 0;
    const int fields = ScanThreeNumbers(text, &hours, &s1, &minutes, &s2, &seconds);
    if (fields < 5)
        seconds = 0;
    if (fields < 3 || !IsValidTime(hours, minutes, seconds))
        return FailWithMessageId(dx, id, 35, quiet);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", hours, minutes, seconds);
    time = buf;
    return true;
}

// --- Files and folders.

bool GetFullFileName(const std::string& path, std::string* fullName)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return false;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec)
        return false;
    *fullName = full.lexically_normal().string();
    return true;
}

bool DDV_FilePath(CDataExchange* dx, int id, const std::string& path, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    const std::string name = GetPathFileName(path);
    if (name.empty())
        return FailWithMessageId(dx, id, 146, quiet);
    if (HasAnyOf(name, FileNameForbidden))
        return FailWithText(dx, id, "Filename contains invalid characters", quiet);
    const std::string folder = GetPathFolderOrEmpty(path);
    if (!folder.empty() && !FolderExists(folder))
        return FailWithText(dx, id, "Invalid Path", quiet);
    if (FileExists(path)) {
        if (quiet)
            return false;
        const std::string prompt = textutil::ReplaceFirst(LoadResourceString(1666), "%1", name);
        if (ShowMessageBoxFS(prompt, MB_YESNO | MB_ICONWARNING) != IDYES)
            dx->Fail();
    }
    if (!IsParsablePath(path))
        return FailWithText(dx, id, textutil::ReplaceFirst(LoadResourceString(147), "%1", name), quiet);
    return true;
}

bool DDV_DosFilePath(CDataExchange* dx, int id, const std::string& path, bool quiet)
{
    if (!dx->m_bSaveAndValidate)
        return true;
    if (!IsShortFileName(path))
        return FailWithMessageId(dx, id, 2053, quiet);
    return DDV_FilePath(dx, id, path, quiet);
}

bool DDX_FileName(CDataExchange* dx, int id, std::string& path, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, PathTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, path);
        return true;
    }
    const std::string text = ReadControlText(dx, id, PathTextLimit);
    if (text.empty())
        return FailWithMessageId(dx, id, 146, quiet);
    if (HasAnyOf(GetPathFileName(text), FileNameForbidden))
        return FailWithText(dx, id, "Filename contains invalid characters", quiet);
    if (FileExists(text)) {
        if (quiet)
            return false;
        const std::string prompt = textutil::ReplaceFirst(LoadResourceString(1666), "%1", text);
        if (ShowMessageBoxFS(prompt, MB_YESNO | MB_ICONWARNING) != IDYES)
            dx->Fail();
    }
    if (!IsParsablePath(text))
        return FailWithText(dx, id, textutil::ReplaceFirst(LoadResourceString(147), "%1", text), quiet);
    std::string full = text;
    GetFullFileName(text, &full);
    path = full;
    return true;
}

bool DDX_ExistingFile(CDataExchange* dx, int id, std::string& path, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, PathTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, path);
        return true;
    }
    const std::string text = ReadControlText(dx, id, PathTextLimit);
    if (text.empty())
        return FailWithMessageId(dx, id, 146, quiet);
    std::string full;
    if (!GetFullFileName(text, &full))
        return FailWithText(dx, id, textutil::ReplaceFirst(LoadResourceString(28), "%1", text), quiet);
    path = full;
    return true;
}

bool DDX_WritableFolder(CDataExchange* dx, int id, std::string& folder, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, PathTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, folder);
        return true;
    }
    const std::string text = ReadControlText(dx, id, PathTextLimit);
    if (text.empty())
        return FailWithMessageId(dx, id, 146, quiet);
    if (!IsShortFileName(text + ".tst"))
        return FailWithMessageId(dx, id, 2053, quiet);
    folder = text;
    return true;
}

bool DDX_ProjectName(CDataExchange* dx, int id, std::string& name, const std::string& folder,
                     const std::string& extension, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, ProjectNameLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, name);
        return true;
    }
    std::string text = ReadControlText(dx, id, ProjectNameLimit);
    if (text.empty())
        return FailWithMessageId(dx, id, 2050, quiet);
    if (folder.size() + text.size() > static_cast<std::size_t>(PathTextLimit))
        return FailWithMessageId(dx, id, 2051, quiet);
    if (HasAnyOf(text, ProjectNameForbidden))
        return FailWithMessageId(dx, id, 2052, quiet);
    if (!extension.empty()) {
        const std::string ext = extension[0] == '.' ? extension : "." + extension;
        if (text.size() > ext.size() &&
            textutil::ToLowerAscii(text.substr(text.size() - ext.size())) == textutil::ToLowerAscii(ext))
            text.resize(text.size() - ext.size());
    }
    name = text;
    return true;
}

bool DDX_SelectionFilePath(CDataExchange* dx, int id, std::string& path, bool quiet)
{
    CDdxControl* control = Prepare(dx, id, -1);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, path);
        return true;
    }
    const std::string text = ReadControlText(dx, id, PathTextLimit);
    if (text.empty())
        return FailWithMessageId(dx, id, 146, quiet);
    std::string folder = GetPathFolderOrEmpty(text);
    const std::string name = RemovePathExtension(GetPathFileName(text));
    const std::string fileName = GetPathFileName(text);
    std::string extension = fileName.find('.') == std::string::npos ? std::string() : GetPathExtension(text);
    if (name.empty() || HasAnyOf(name, FileNameForbidden))
        return FailWithText(dx, id, "File name contains invalid characters", quiet);
    if (!folder.empty() && !FolderExists(folder))
        return FailWithText(dx, id, "Path name does not exist", quiet);
    if (folder.empty())
        folder = GetActiveJobFolder();
    if (textutil::ToLowerAscii(extension) != "sel")
        extension = "Sel";
    const std::string result = folder + name + "." + extension;
    if (!IsParsablePath(result))
        return FailWithText(dx, id, textutil::ReplaceFirst(LoadResourceString(147), "%1", result), quiet);
    path = result;
    return true;
}

// --- Plain text.

bool DDX_String(CDataExchange* dx, int id, std::string& text)
{
    CDdxControl* control = Prepare(dx, id, -1);
    if (!dx->m_bSaveAndValidate)
        SetWindowTextIfChanged(control, text);
    else
        text = control ? control->GetText() : std::string();
    return true;
}

bool DDX_CharBuffer(CDataExchange* dx, int id, char* buffer, std::size_t size)
{
    if (!buffer || size == 0)
        return true;
    CDdxControl* control = Prepare(dx, id, -1);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, std::string(buffer, strnlen(buffer, size)));
        return true;
    }
    const std::string text = control ? control->GetText() : std::string();
    std::size_t n = std::min(text.size(), size - 1);
    // Never cut a character in two.
    while (n > 0 && n < text.size() && IsUtf8Continuation(text[n]))
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return true;
}

// --- Framework-style numbers.

bool ScanIntegerText(const std::string& text, const char* format, int64_t* value)
{
    const char* conversion = std::strchr(format, '%');
    if (!conversion)
        return false;
    ++conversion;
    char size = 0;
    if (*conversion == 'l' || *conversion == 's')
        size = *conversion++;
    const bool isSigned = *conversion == 'd';

    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i == text.size())
        return false;
    const std::string rest = text.substr(i);
    if (!isSigned && rest[0] == '-')
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = isSigned ? std::strtoll(rest.c_str(), &end, 10)
                           : static_cast<long long>(std::strtoull(rest.c_str(), &end, 10));
    if (errno == ERANGE || end == rest.c_str())
        return false;
    // 0 counts only when typed as 0, not when nothing could be read.
    if (v == 0 && rest[0] != '0')
        return false;
    for (const char* p = end; *p; ++p)
        if (*p != ' ' && *p != '\t')
            return false;
    const long long lo = isSigned ? INT32_MIN : 0;
    const long long hi = isSigned ? INT32_MAX : UINT32_MAX;
    if (v < lo || v > hi)
        return false;
    if (size == 's' && (v < INT16_MIN || v > INT16_MAX))
        return false;
    *value = v;
    return true;
}

bool DDX_TextWithFormat(CDataExchange* dx, int id, bool quiet, const char* format, const std::string& prompt,
                        int64_t& value)
{
    CDdxControl* control = Prepare(dx, id, NumberTextLimit);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextIfChanged(control, std::to_string(value));
        return true;
    }
    int64_t v = 0;
    if (!ScanIntegerText(ReadControlText(dx, id, NumberCharsRead), format, &v))
        return FailWithText(dx, id, prompt, quiet);
    value = v;
    return true;
}

bool DDX_Byte(CDataExchange* dx, int id, uint8_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%u", PromptParseByte, 0, 255, quiet);
}

bool DDX_Short(CDataExchange* dx, int id, int16_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%sd", PromptParseInt, INT16_MIN, INT16_MAX, quiet);
}

bool DDX_IntText(CDataExchange* dx, int id, int32_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%d", PromptParseInt, INT32_MIN, INT32_MAX, quiet);
}

bool DDX_UInt(CDataExchange* dx, int id, uint32_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%u", PromptParseUInt, 0, UINT32_MAX, quiet);
}

bool DDX_Long(CDataExchange* dx, int id, int32_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%ld", PromptParseInt, INT32_MIN, INT32_MAX, quiet);
}

bool DDX_DWord(CDataExchange* dx, int id, uint32_t& value, bool quiet)
{
    return ExchangeInteger(dx, id, value, "%lu", PromptParseUInt, 0, UINT32_MAX, quiet);
}

bool DDX_Float(CDataExchange* dx, int id, float& value, bool quiet)
{
    double v = value;
    if (!ExchangeFloatingText(dx, id, v, 6, quiet))
        return false;
    value = static_cast<float>(v);
    return true;
}

bool DDX_DoubleText(CDataExchange* dx, int id, double& value, bool quiet)
{
    return ExchangeFloatingText(dx, id, value, 15, quiet);
}
