#include "platform/FullPath.h"

#include "platform/FindFile.h"

#include <QCoreApplication>
#include <QFile>
#include <sys/stat.h>

namespace {
// Empty when the working directory cannot be had or does not fit MAX_PATH.
std::string WorkingDirectory() {
    char dir[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    return n == 0 || n >= sizeof dir ? std::string() : std::string(dir, n);
}

// Empty before the platform runs: only the running platform knows where the program lies.
std::string ProgramDirectory() {
    return QCoreApplication::instance()
               ? QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()
               : std::string();
}

std::string Join(std::string dir, const std::string& relative) {
    if (dir.back() != '/')
        dir += '/';
    return dir + relative;
}
} // namespace

std::string MakeFullPath(const std::string& relative) {
    std::string dir = FindDataRoot(DataRootCandidates());
    if (dir.empty())
        dir = WorkingDirectory();
    return dir.empty() ? relative : Join(dir, relative);
}

std::vector<std::string> DataRootCandidates(const std::string& workingDir, const std::string& programDir) {
    std::vector<std::string> candidates;
    if (!workingDir.empty())
        candidates.push_back(workingDir);
    if (!programDir.empty()) {
        // The prefix by name, so the path shown to the user reads /usr/share/quimble, not /usr/bin/../.
        std::string prefix = programDir;
        while (prefix.size() > 1 && prefix.back() == '/')
            prefix.pop_back();
        prefix.erase(prefix.find_last_of('/') + 1);
        candidates.push_back(prefix + "share/quimble");
    }
    return candidates;
}

std::vector<std::string> DataRootCandidates() {
    return DataRootCandidates(WorkingDirectory(), ProgramDirectory());
}

std::string FindDataRoot(const std::vector<std::string>& candidates) {
    for (const std::string& root : candidates) {
        struct stat info;
        if (!root.empty() && stat(Join(root, DATA_FOLDER).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return root;
    }
    return {};
}

PathParts SplitPath(const std::string& path) {
    const std::size_t nameStart = path.find_last_of("/\\") + 1; // 0 without a folder
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = path.size();
    return {path.substr(0, nameStart), path.substr(nameStart, dot - nameStart), path.substr(dot)};
}
