#pragma once
// Paths below the working directory, and the name part of a path.

#include <string>

// The working directory, one "/" unless it already ends with one, and the relative path. When the working
// directory cannot be had, or is longer than MAX_PATH allows, the relative path comes back unchanged.
std::string MakeFullPath(const std::string& relative);
// The file-name part of a path written on either system: no folder, no extension.
std::string FileTitle(const std::string& path);
