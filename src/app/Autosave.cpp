#include "app/Autosave.h"

#include "platform/StateFolder.h"
#include "platform/Wnd.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace {
const std::string prefix = "autosave-";
const std::string extension = ".qmf";
} // namespace

CAutosave::CAutosave(Writer write, std::string path, int delay)
    : m_write(std::move(write)), m_path(std::move(path)), m_lock(m_path + ".lock"),
      m_timer([this] { Due(); }), m_delay(delay) {}

CAutosave::~CAutosave() {
    Discard();
}

void CAutosave::Schedule() {
    if (!m_timer.IsActive())
        m_timer.Start(m_delay);
}

void CAutosave::Due() {
    if (GetKeyState(VK_LBUTTON) < 0)
        m_timer.Start(gestureWaitMilliseconds);
    else
        WriteNow();
}

bool CAutosave::WriteNow() {
    m_timer.Stop();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), error);
    // The lock comes before the file, so that no program starting now takes the file for one left behind.
    m_written = !error && m_lock.TryLock() && m_write && m_write(m_path.c_str());
    if (!m_written)
        std::fprintf(stderr, "quimble: could not keep a copy of the picture in %s\n", m_path.c_str());
    return m_written;
}

void CAutosave::Discard() {
    m_timer.Stop();
    m_written = false;
    // A file of this name that this process did not write belongs to someone else.
    if (!m_lock.IsLocked())
        return;
    std::error_code error;
    std::filesystem::remove(m_path, error);
    m_lock.Unlock();
}

std::string CAutosave::Folder() {
    return StateFolder() + "/quimble";
}

std::string CAutosave::PathOf(unsigned long processId) {
    return Folder() + "/" + prefix + std::to_string(processId) + extension;
}

bool CAutosave::IsAutosaveName(const std::string& name) {
    if (name.size() <= prefix.size() + extension.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    const auto digits = name.begin() + std::ptrdiff_t(prefix.size());
    return std::all_of(digits, name.end() - std::ptrdiff_t(extension.size()),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}
