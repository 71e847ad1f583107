#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What an import file dialog hands back when it ends with OK; each dialog fills its own part.
struct ImportDialogChoice
{
    std::string path;
    bool reportFlag = false;       // "Generate and display a report after importing."
    int32_t pointNameOption = 0;   // 0 use the rename rules, 1 overwrite
    std::vector<uint16_t> columns; // ASCII: column order
    std::string delimiter;         // ASCII
    int32_t distanceUnit = 0;      // ASCII: 0 metres, 1 international feet, 2 US survey feet
    int32_t descriptionOption = 0; // LandXML: which attribute becomes the description
};

// The calculator window as the frame holds it.
class CCalculatorWindow
{
public:
    virtual ~CCalculatorWindow() = default;
    // A value onto its stack; no value is ignored.
    virtual void Push(double value) = 0;
    // Takes the window down (the frame then forgets it).
    virtual void DestroyCalculatorWindow() = 0;
};

// Windows that other parts of the program supply for the main frame's commands. A command whose
// window is not registered stays disabled.
struct CFrameWindowRegistry
{
    // Modal import dialogs: false when cancelled.
    std::function<bool(ImportDialogChoice& choice)> importJobDialog;
    std::function<bool(ImportDialogChoice& choice)> importAsciiDialog;
    std::function<bool(ImportDialogChoice& choice)> importLandXmlDialog;
    // The DXF import command as the DXF filters run it, dialog and all.
    std::function<void()> runImportDxfCommand;
    // The dialogs that name a field-data source and the new job: false when cancelled.
    std::function<bool(std::string& backupPath, std::string& jobPath)> extractBackup;
    std::function<bool(std::string& transferPath, std::string& jobPath)> createJobFromTrn;
    // A calculator window started with the value; the frame owns it.
    std::function<std::unique_ptr<CCalculatorWindow>(double value)> calculator;
};

CFrameWindowRegistry& GetFrameWindows();
