#pragma once
// Paths below the working directory, or below the installed data when the working directory has none, and
// the name part of a path.

#include <string>
#include <vector>

// The folder of the program's pictures, below the folder it is looked for in.
constexpr char DATA_FOLDER[] = "res";

// The data root (see FindDataRoot) when there is one, else the working directory; then one "/" unless it
// already ends with one, and the relative path. When neither can be had, or the working directory is longer
// than MAX_PATH allows, the relative path comes back unchanged.
std::string MakeFullPath(const std::string& relative);
// Where the data folder is looked for, in this order: the working directory (left out when empty), then
// the installed data, <prefix>/share/quimble for a program in <prefix>/bin (left out when the program's
// folder is unknown).
std::vector<std::string> DataRootCandidates(const std::string& workingDir, const std::string& programDir);
// The same for this process: its working directory and the folder of the running program.
std::vector<std::string> DataRootCandidates();
// The first candidate holding the data folder, or empty when none does.
std::string FindDataRoot(const std::vector<std::string>& candidates);

// A path cut into its folder (up to and with the last "/" or "\", as a name read from a file written on
// either system may have), its name, and its extension (from the name's last dot on, the dot included;
// empty without one).
struct PathParts {
    std::string folder;
    std::string name;
    std::string extension;
};
PathParts SplitPath(const std::string& path);
