#pragma once

// Menu and toolbar commands of the main frame and the application, under the numbers the menus
// have always used. None falls in wx's reserved range (4999-5999), but wx takes menu ids only
// below 0x8000: the numbers from 0xE000 up lose their top bit here, in this one place.
constexpr int WxCommandId(int command) { return command >= 0x8000 ? command - 0x8000 : command; }

inline constexpr int IdCloseJob = 7405;
inline constexpr int IdOpenJob = 7407;
inline constexpr int IdJobSettings = 7338;
inline constexpr int IdRecentFile1 = WxCommandId(57616); // to IdRecentFileLast
inline constexpr int IdRecentFileLast = WxCommandId(57631);
inline constexpr int IdAppAbout = WxCommandId(57664);
inline constexpr int IdAppExit = WxCommandId(57665);

// The job menu: the raw data commands (Edit Raw Data Records is the map's, views/MapCommands.h),
// then Duplicate and the raw drawing options, all carried out by the job view.
inline constexpr int IdFindRawDataRecords = 7399;
inline constexpr int IdRawDataReduction = 7398;
// The raw list's context "Find..."; the main window opens the same panel as 7399.
inline constexpr int IdFindRawContext = 7305;
inline constexpr int IdRawDataReport = 7390;
inline constexpr int IdDuplicateRawLine = 7304;
inline constexpr int IdDontDrawRawData = 7391;
inline constexpr int IdDrawRawSelection = 7392;
inline constexpr int IdDrawRawProgressive = 7393;
inline constexpr int IdDrawRawEverything = 7394;

// Printing the map, and the job view's find (Delete Point is the map's, views/MapCommands.h).
inline constexpr int IdFilePrint = WxCommandId(57607);
inline constexpr int IdFilePrintPreview = WxCommandId(57609);
inline constexpr int IdFindPoint = 7299;

inline constexpr int IdViewToolbars = 7165;
inline constexpr int IdToggleDialogBar = 6681;
inline constexpr int IdMessageBar = 7233;
// The dock menu's entries, one a bar.
inline constexpr int IdDockBarFirst = WxCommandId(44000);
inline constexpr int IdDockBarLast = WxCommandId(44020);

inline constexpr int IdViewManual = 7316;
inline constexpr int IdGettingStarted = 7319;

inline constexpr int IdZoomIn = 7203;
inline constexpr int IdZoomOut = 7204;
inline constexpr int IdZoomInStepFirst = 7207; // 5, 10, 25, 50, 75 percent
inline constexpr int IdZoomInStepLast = 7211;
inline constexpr int IdZoomOutStepFirst = 7212;
inline constexpr int IdZoomOutStepLast = 7216;

inline constexpr int IdSnapToPoint = 7275;
inline constexpr int IdSnapFree = 7273;
inline constexpr int IdSnapToGrid = 7294;
inline constexpr int IdLockSnap = 7280;

// Icons of the program's icon folder.
inline constexpr unsigned IconApplication = 128;
inline constexpr unsigned IconCoordinatesTab = 9;
inline constexpr unsigned IconRawDataTab = 1038;
