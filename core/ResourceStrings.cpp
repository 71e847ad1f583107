#include "core/ResourceStrings.h"

#include "platform/MessageBox.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    uint32_t id;
    const char* text;
};

// Kept sorted by id for the binary search.
constexpr Entry Table[] = {
    {8, "Morvel"},
    {28, "\"%1\" does not exist, or the name is invalid."},
    {30, "Invalid date. Use format: MM-DD-YY or MM-DD-YYYY. The date must follow Jan 1, 1970."},
    {35, "The time is invalid. Please enter a time of the form HH:MM or HH:MM:SS"},
    {37, "Point does not exist."},
    {39, "Point %1 exists.\nThe next available point is: %2.\nWhat do you want to do?"},
    {44, "Value must be greater than %*.*f."},
    {146, "Choose a file name."},
    {147, "\"%1\" is invalid or is in use by another application."},
    {392, "https://www.kvl.example/"},
    {393, "https://support.kvl.example/"},
    {394, "mailto:support@kvl.example"},
    {396, "%1 objects selected"},
    {455, "Untitled"},
    {738, "%d bytes"},
    {932, "Unable to launch your web browser."},
    {933, "Unable to launch your E-mail program."},
    {1018, "Invalid number."},
    {1019, "Invalid point follows '='."},
    {1557, "Northing"},
    {1558, "Easting"},
    {1559, "Elevation"},
    {1563, "Value must be greater than %1 and less than %2."},
    {1666, "The file \"%1\" already exists.  Do you want to replace it?"},
    {2050, "Please enter a name."},
    {2051, "Choose a shorter file name or shorter folder name"},
    {2052, "Your project name contains an invalid character.\nChoose a different project name.\n\n"
           "Valid examples: Smith, Highway77, Job030499\nInvalid examples: Smith.pro, C:\\mexico\\job \\\\fred\\shared"},
    {2053, "The filename you entered is not a valid DOS compatible filename.\n\n"
           "Valid examples:  myfile, file_5, test-10\nInvalid examples:  myfile 2, file.5, test*10"},
    {2197, "Undo"},
    {2198, "Redo"},
    {2199, "Sorry, the operation could not be undone."},
    // Prompts of the field menus' commands: the status-bar text, then the tip after the "\n".
    {7365, "Add or subtract an offset angle."},
    {7367, "Add 90 Deg."},
    {7368, "Subtract 90 Deg."},
    {7369, "Add 180 deg."},
    {7370, "Apply Scale Factor."},
    {7371, "Zoom to point.\nZoom to point."},
    {7406, "Scientific RPN Calculator\nScientific Calculator"},
    {7446, "Choose from list\nChoose from list"},
    {7490, "Add 200 Gons."},
    {7492, "Subtract 100 Gons."},
    {7572, "Invalid Latitude"},
    {7573, "Invalid Longitude"},
    {30029, "Unable to open \"%s\"."},
    {30139, "N"},
    {30140, "S"},
    {30141, "E"},
    {30142, "W"},
    {30143, "m"},
    {30144, "ft"},
    {30145, "usft"},
    {30160, "dms"},
    {30161, "grad"},
};

} // namespace

std::string LoadResourceString(uint32_t id)
{
    auto it = std::lower_bound(std::begin(Table), std::end(Table), id,
                               [](const Entry& e, uint32_t key) { return e.id < key; });
    if (it == std::end(Table) || it->id != id)
        return {};
    return it->text;
}

std::string GetCommandPrompt(uint32_t id)
{
    const std::string text = LoadResourceString(id);
    return text.substr(0, text.find('\n'));
}

int ShowMessageBoxFSById(uint32_t id, uint32_t flags, const std::string& yesCaption, const std::string& noCaption)
{
    return ShowMessageBoxFS(LoadResourceString(id), flags, yesCaption, noCaption);
}

int ShowMessageBoxFSByIds(uint32_t messageId, uint32_t titleId, uint32_t flags, const std::string& yesCaption,
                          const std::string& noCaption)
{
    return ShowMessageBoxFSWithCaption(LoadResourceString(messageId), LoadResourceString(titleId), flags,
                                       yesCaption, noCaption);
}
