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

inline constexpr int IdTechnicalSupport = 7097;
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

// Job, log and edit commands of the main frame.
inline constexpr int IdRawDataView = 7125;
inline constexpr int IdJobFileView = 7327;
inline constexpr int IdNewJob = 7375;
inline constexpr int IdSaveJob = 7397;
inline constexpr int IdSaveJobAs = 7458;
inline constexpr int IdExportDxf = 7079;
inline constexpr int IdPreferences = 7067;
inline constexpr int IdPageSetup = WxCommandId(57606);
inline constexpr int IdUndo = WxCommandId(57643);
inline constexpr int IdRedo = WxCommandId(57644);
inline constexpr int IdDeletePoints = 7121;
inline constexpr int IdViewTransferLog = 7358;
inline constexpr int IdClearTransferLog = 7395;
inline constexpr int IdViewLastModifiedLog = 7494;
inline constexpr int IdClearLastModifiedLog = 7495;
inline constexpr int IdClearDialogBar = 7168;
inline constexpr int IdRedraw = 7169;
inline constexpr int IdPointLabels = 7232;
inline constexpr int IdZoomToCurrentObject = 7248;
inline constexpr int IdReloadFromFile = 7396;

// Commands the project navigator's shortcuts post and its context menu carries.
inline constexpr int IdToggleNavIconSize = 240;
inline constexpr int IdNavReloadFromFile = 7402;
inline constexpr int IdNavDeleteFile = 7330;
inline constexpr int IdNavOpenInEditor = 7320;
inline constexpr int IdTransferSettings = 7326;
inline constexpr int IdImportAscii = 7238;
inline constexpr int IdImportDxf = 7138;
inline constexpr int IdImportLandXml = 7340;
inline constexpr int IdImportMorvelCoordinates = 7499;
inline constexpr int IdExportAscii = 7235;
inline constexpr int IdExportLandXml = 7339;
inline constexpr int IdGetJobFromTotalStation = 7315;
inline constexpr int IdSendJobToTotalStation = 7312;
