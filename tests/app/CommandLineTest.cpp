#include "app/AppState.h"
#include "app/QuimbleCommandLineInfo.h"

#include <climits>
#include <gtest/gtest.h>

namespace {
int LanguageAfter(const std::vector<std::string>& args) {
    SetLanguage(LANG_NONE);
    CQuimbleCommandLineInfo info;
    info.ParseArguments(args);
    return GetLanguage();
}
} // namespace

TEST(CommandLine, EveryArgumentIsALanguageNumberAndTheLastWins) {
    EXPECT_EQ(LanguageAfter({}), LANG_NONE);
    EXPECT_EQ(LanguageAfter({"3"}), LANG_ENGLISH);
    EXPECT_EQ(LanguageAfter({"3", "2"}), LANG_FRENCH);
    EXPECT_EQ(LanguageAfter({"2", "picture.qmf"}), LANG_NONE);
}

TEST(CommandLine, OneSwitchMarkerIsRemovedThenAtoiRulesApply) {
    EXPECT_EQ(LanguageAfter({"-3"}), LANG_ENGLISH);
    EXPECT_EQ(LanguageAfter({"/3"}), LANG_ENGLISH);
    EXPECT_EQ(LanguageAfter({"--3"}), -3);
    EXPECT_EQ(LanguageAfter({"2abc"}), LANG_FRENCH);
    EXPECT_EQ(LanguageAfter({"/home/me/picture.qmf"}), LANG_NONE);
    EXPECT_EQ(LanguageAfter({""}), LANG_NONE);
}

TEST(CommandLine, NumbersBeyondIntAreHeldAtTheLimit) {
    EXPECT_EQ(LanguageAfter({"99999999999999999999"}), INT_MAX);
    EXPECT_EQ(LanguageAfter({"--99999999999999999999"}), INT_MIN);
    SetLanguage(LANG_NONE);
}
