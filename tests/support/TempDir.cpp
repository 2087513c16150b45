#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string templ = (fs::temp_directory_path() / "quimble-test-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    fs::path p = fs::path(path) / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(fs::path(path) / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempDir::Mkdir(const std::string& name) const {
    fs::path p = fs::path(path) / name;
    fs::create_directories(p);
    return p.string();
}

std::vector<std::string> TempDir::List(const std::string& sub) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(path) / sub))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ScopedCwd::ScopedCwd(const std::string& dir) : previous(fs::current_path().string()) {
    fs::current_path(dir);
}
ScopedCwd::~ScopedCwd() {
    fs::current_path(previous);
}

ScopedDataHome::ScopedDataHome()
    : previous(std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "") {
    setenv("XDG_DATA_HOME", home.path.c_str(), 1);
}
ScopedDataHome::~ScopedDataHome() {
    setenv("XDG_DATA_HOME", previous.c_str(), 1);
}
