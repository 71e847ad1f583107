#include "shell/ui/MorvelApp.h"

#include <wx/init.h>

int main(int argc, char** argv)
{
    wxApp::SetInstance(new CMorvelApp);
    return wxEntry(argc, argv);
}
