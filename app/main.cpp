#include "framework/ui/TextShaping.h"
#include "shell/ui/MorvelApp.h"

#include <wx/init.h>

int main(int argc, char** argv)
{
    // Before the first window draws text.
    TurnOffTypographicLigatures();
    wxApp::SetInstance(new CMorvelApp);
    return wxEntry(argc, argv);
}
