#include "ProgramTest.h"
#include "framework/ui/TextShaping.h"

#include <gtest/gtest.h>

#include <wx/debug.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // As the program does, before the first window draws text.
    TurnOffTypographicLigatures();
    const char* display = std::getenv("DISPLAY");
    morvel::test::SetDisplayAvailable(display != nullptr && *display != '\0');
    // A failed wx assertion fails the test instead of waiting for someone to answer its dialog.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_string().c_str(), line)
            << "wx assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " " << msg.utf8_string();
    });
    return RUN_ALL_TESTS();
}
