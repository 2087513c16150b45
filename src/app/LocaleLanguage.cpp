#include "app/LocaleLanguage.h"

#include "app/AppState.h"

#include <cstdlib>
#include <string_view>

namespace {
// The language of a locale name such as "de_AT.UTF-8@euro" or "fr".
int LanguageOfName(std::string_view name) {
    const std::string_view code = name.substr(0, name.find_first_of("_.@"));
    return code == "nl"   ? LANG_DUTCH
           : code == "fr" ? LANG_FRENCH
           : code == "en" ? LANG_ENGLISH
           : code == "de" ? LANG_GERMAN
                          : LANG_NONE;
}
} // namespace

int LanguageOfLocale(const LocaleVariables& variables) {
    if (variables.language) {
        std::string_view list = variables.language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            if (const int language = LanguageOfName(list.substr(0, colon)))
                return language;
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    // An empty variable counts as unset, as the C library has it.
    for (const char* locale : {variables.lcAll, variables.lcMessages, variables.lang})
        if (locale && *locale)
            return LanguageOfName(locale);
    return LANG_NONE;
}

int LanguageOfLocale() {
    return LanguageOfLocale(LocaleVariables{std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                            std::getenv("LC_MESSAGES"), std::getenv("LANG")});
}
