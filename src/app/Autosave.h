#pragma once
// The copy of a changed picture that outlives a crash: written as a layered file a few seconds after the
// first change it does not hold yet, however busy the user keeps on, into the program's state folder under a
// name of this process, guarded by a lock file beside it that this process holds from the first write on.
// Saving the picture, a new picture and a normal end remove it.

#include "platform/LockFile.h"
#include "platform/Timer.h"
#include <functional>
#include <string>

class CAutosave {
public:
    // Writes the picture as a layered file to the path; false when it could not.
    using Writer = std::function<bool(const char* path)>;
    static constexpr int delayMilliseconds = 5000;
    // While the mouse button is held (a drag), the write waits this long and looks again: a drag keeps
    // its motion.
    static constexpr int gestureWaitMilliseconds = 250;

    // The file is path; by default the one of this process in Folder().
    explicit CAutosave(Writer write, std::string path = PathOf(GetCurrentProcessId()),
                       int delay = delayMilliseconds);
    ~CAutosave();
    CAutosave(const CAutosave&) = delete;
    CAutosave& operator=(const CAutosave&) = delete;

    // The picture changed: it is written the delay after the first change since the last write (when the
    // mouse button is held then, once it is let go). Later changes do not put that off, so that steady work
    // is kept too.
    void Schedule();
    // Writes the picture now, making the folder on the first write. False when it could not be written,
    // which only a line on standard error says: the user is not interrupted.
    bool WriteNow();
    // Nothing to keep any more: stops the countdown and removes the file (only one this process wrote).
    void Discard();

    bool IsScheduled() const { return m_timer.IsActive(); }
    // Whether the file holds the picture as it was at the last write.
    bool IsWritten() const { return m_written; }
    const std::string& GetPath() const { return m_path; }

    // The program's folder in the state folder, and the names of autosaves in it.
    static std::string Folder();
    static std::string PathOf(unsigned long processId);
    // Whether a file name in Folder() is that of an autosave.
    static bool IsAutosaveName(const std::string& name);

private:
    void Due();

    Writer m_write;
    std::string m_path;
    CLockFile m_lock;
    CTimer m_timer;
    int m_delay;
    bool m_written = false;
};
