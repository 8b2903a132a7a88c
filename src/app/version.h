// The program's version. The build sets it once, from the project version in CMake;
// titles, the help window, `--version` and the Debian package all show that one value.
#pragma once

#include <string>

// "1.4"
const char* ProgramVersion();

// "Vantrel v1.4": the name as titles and the help window show it.
std::string ProgramTitle();

// "Vantrel v1.4 by Kestrelmoor": the main window's and the splash's title.
std::string AppTitle();
