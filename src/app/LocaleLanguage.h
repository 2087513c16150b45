#pragma once
// The language the desktop asks for, for a start whose command line names none: the first entry of
// LANGUAGE (a list such as "de:en") that is Dutch, French, English or German; else the locale of the
// messages, the first of LC_ALL, LC_MESSAGES and LANG that is set, when it is one of the four. LANG_NONE
// (so Dutch) for any other, "C" among them.

struct LocaleVariables {
    const char* language = nullptr; // each one null when unset
    const char* lcAll = nullptr;
    const char* lcMessages = nullptr;
    const char* lang = nullptr;
};

int LanguageOfLocale(const LocaleVariables& variables);
// The same of this process's environment.
int LanguageOfLocale();
