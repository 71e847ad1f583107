#pragma once

// Gives the main frame the import dialogs (File/Import) and the export panels' factories
// (File/Export); the frame's commands stay disabled without them.
void RegisterExchangeWindows();
