#include "app/AppState.h"

#include <gtest/gtest.h>

TEST(AppState, LanguageAndTheHelpPagesOfEachLanguage) {
    SetLanguage(42);
    EXPECT_EQ(GetLanguage(), 42);
    SetLanguage(LANG_NONE);
    const struct {
        int language;
        const char* prefix;
    } cases[] = {{LANG_NONE, "res/helpn"},   {LANG_DUTCH, "res/helpn"},
                 {LANG_FRENCH, "res/helpf"}, {LANG_ENGLISH, "res/helpe"},
                 {LANG_GERMAN, "res/helpg"}, {7, "res/helpn"},
                 {-1, "res/helpn"}};
    for (const auto& c : cases)
        EXPECT_STREQ(HelpPrefix(c.language), c.prefix) << c.language;
}
