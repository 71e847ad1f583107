#pragma once

#include "platform/LogFont.h"

#include <cstdint>
#include <ctime>
#include <string>

class CReport;

// What the rich-text writer needs from the window system and the settings: the fonts the
// system really makes, the screen's resolution, the clock and the user's two report fonts. The
// window layer implements it with wx; tests answer with fixed values.
class CReportRtfEnvironment
{
public:
    virtual ~CReportRtfEnvironment() = default;
    // The face of the font the system makes for the request, or the empty text when it cannot
    // make one (the writer then falls back to its own fonts).
    virtual std::string CreateFontFace(const std::string& face, int32_t points, bool bold, bool fixedPitch) = 0;
    // Vertical pixels per inch of the screen.
    virtual int32_t GetScreenPixelsPerInchY() = 0;
    virtual std::time_t GetCurrentTime() = 0;
    virtual LogFont GetReportTitleFont() = 0;
    virtual LogFont GetReportTextFont() = 0;
};

// Renders a report as RTF. Tables are monospaced text: column widths are counted in characters
// and columns padded with spaces. Mode 0 (message bar) writes the tables only; mode 1 (editor
// and files) adds a right-aligned date line and the centred header lines. An empty name stands
// for the active job's file name on the date line. Shows the "Generate RTF" progress.
//
// Texts are escaped for RTF: '{' and '}' everywhere, backslashes in header lines, headings and
// the name (cells hold theirs doubled already), and characters outside ASCII as \'hh in
// Windows-1252 or \uN? when the code page has no byte for them.
std::string WriteReportRtf(const CReport& report, bool mode, const std::string& name, CReportRtfEnvironment& env);

// The date as the date line shows it, "%B %d, %Y" in English whatever the locale.
std::string FormatReportDate(std::time_t when);

// Appends text to out escaped for RTF; with cellText, backslashes pass through as they are.
void AppendRtfEscaped(std::string& out, const std::string& text, bool cellText);
