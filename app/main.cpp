#include "app/Version.h"

#include <cstdio>

int main(int argc, char** argv)
{
    // The main window arrives with the shell; until then the program only identifies itself.
    std::printf("Morvel %s\n", MORVEL_VERSION_TEXT);
    return 0;
}
