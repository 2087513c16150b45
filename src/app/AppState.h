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

// The column of a language in the tables of texts, which list Dutch, French, English and German in that
// order: Dutch for every number that is not French, English or German.
constexpr int LanguageColumn(int language) {
    return language == LANG_FRENCH || language == LANG_ENGLISH || language == LANG_GERMAN
               ? language - LANG_DUTCH
               : 0;
}
constexpr int LANGUAGE_COUNT = 4;

// The folder and name start of the help pages of a language, relative to the working directory.
inline const char* HelpPrefix(int language) {
    static const char* const prefixes[LANGUAGE_COUNT] = {"res/helpn", "res/helpf", "res/helpe", "res/helpg"};
    return prefixes[LanguageColumn(language)];
}

// The start-up picture of a language, relative to the working directory: the resource tool draws one
// with the words of each language.
inline const char* StartupPicturePath(int language) {
    static const char* const paths[LANGUAGE_COUNT] = {"res/startupn.bmp", "res/startupf.bmp",
                                                      "res/startupe.bmp", "res/startupg.bmp"};
    return paths[LanguageColumn(language)];
}
