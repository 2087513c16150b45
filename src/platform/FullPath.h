#pragma once
// Paths below the working directory.

#include <string>

// The working directory, one "/" unless it already ends with one, and the relative path. When the working
// directory cannot be had, or is longer than MAX_PATH allows, the relative path comes back unchanged.
std::string MakeFullPath(const std::string& relative);

// A path cut into its folder (up to and with the last "/" or "\", as a name read from a file written on
// either system may have), its name, and its extension (from the name's last dot on, the dot included;
// empty without one).
struct PathParts {
    std::string folder;
    std::string name;
    std::string extension;
};
PathParts SplitPath(const std::string& path);
