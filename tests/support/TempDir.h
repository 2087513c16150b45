#pragma once
// A fresh folder for one test, removed with everything in it at the end.

#include <string>
#include <vector>

struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes a file below the folder (sub-folders made as needed) and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    std::string Mkdir(const std::string& name) const;
    // Names in the folder, sorted, without "." and "..".
    std::vector<std::string> List(const std::string& sub = "") const;
    std::string Join(const std::string& name) const { return path + "/" + name; }

    std::string path;
};

// Runs with the working directory set to a folder, and goes back at the end.
struct ScopedCwd {
    explicit ScopedCwd(const std::string& dir);
    ~ScopedCwd();
    std::string previous;
};

// Runs with the user's data folder ($XDG_DATA_HOME) in a fresh folder of its own, and goes back at the
// end; the quimble folder in it is made by whatever writes there first.
struct ScopedDataHome {
    ScopedDataHome();
    ~ScopedDataHome();
    // The user's folder of one kind of content, as the program names it.
    std::string Own(const std::string& folder) const { return home.Join("quimble/" + folder); }
    TempDir home;
    std::string previous;
};
