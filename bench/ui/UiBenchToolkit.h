#pragma once

#include <wx/app.h>
#include <wx/init.h>

namespace morvel::bench {

// The toolkit is started once for the program (unless another benchmark already did) and left to
// the process's end; false without a display.
inline bool StartUiToolkit()
{
    static bool started = [] {
        if (wxTheApp != nullptr)
            return true;
        static char name[] = "morvel_ui_bench";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp);
        return wxEntryStart(argc, argv);
    }();
    return started;
}

} // namespace morvel::bench
