#pragma once
// The language number of the application: set from the command line, read by whoever builds the editor.
// The lower subsystems are handed what they need of it (the message table's group, the help pages' prefix).

enum : int { LANG_NONE = 0, LANG_DUTCH = 1, LANG_FRENCH = 2, LANG_ENGLISH = 3, LANG_GERMAN = 4 };

namespace appstate {
inline int language = LANG_NONE;
} // namespace appstate

inline int GetLanguage() {
    return appstate::language;
}
inline void SetLanguage(int language) {
    appstate::language = language;
}

// The folder and name start of the help pages of a language, relative to the working directory;
// Dutch for every number that is not French, English or German.
inline const char* HelpPrefix(int language) {
    switch (language) {
    case LANG_FRENCH:
        return "res/helpf";
    case LANG_ENGLISH:
        return "res/helpe";
    case LANG_GERMAN:
        return "res/helpg";
    default:
        return "res/helpn";
    }
}
