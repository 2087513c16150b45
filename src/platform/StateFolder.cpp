#include "platform/StateFolder.h"

#include <cstdlib>

std::string StateFolder() {
    // Qt 6.4 names no state location, so the variable is read here; a relative one is to be ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/')
        return state;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state";
}
