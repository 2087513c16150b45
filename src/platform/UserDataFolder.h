#pragma once
// The folder of what the user adds to the program: $XDG_DATA_HOME/quimble (~/.local/share/quimble by
// default). Nothing makes it until something is written there.

#include <string>

std::string UserDataFolder();
// Whether path lies below the user's data folder.
bool IsInUserDataFolder(const std::string& path);
