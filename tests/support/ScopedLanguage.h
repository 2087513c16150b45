#pragma once
// The program speaks a language for as long as the object lives, then none again (Dutch), as at start.

#include "app/AppState.h"

struct ScopedLanguage {
    explicit ScopedLanguage(int language) { SetLanguage(language); }
    ~ScopedLanguage() { SetLanguage(LANG_NONE); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};
