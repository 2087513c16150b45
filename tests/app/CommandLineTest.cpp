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
    EXPECT_EQ(LanguageAfter({"2", "picture.bmp"}), LANG_NONE);
}

TEST(CommandLine, ALayeredPictureIsKeptAsGivenAndLeavesTheLanguageAlone) {
    const struct {
        std::vector<std::string> args;
        int language;
        const char* picture;
    } cases[] = {
        {{"3", "picture.qmf"}, LANG_ENGLISH, "picture.qmf"},
        {{"/home/me/my picture.qmf"}, LANG_NONE, "/home/me/my picture.qmf"}, // a path, not a switch
        {{"a.qmf", "4", "b.qmf"}, LANG_GERMAN, "b.qmf"},                     // the last one named
        {{"2", "picture.QMF"}, LANG_NONE, ""},                               // extensions exactly so
        {{"old.qmf.bak"}, LANG_NONE, ""},
    };
    for (const auto& c : cases) {
        SetLanguage(LANG_NONE);
        CQuimbleCommandLineInfo info;
        info.ParseArguments(c.args);
        EXPECT_EQ(GetLanguage(), c.language) << c.args.back();
        EXPECT_EQ(info.m_strFileName, c.picture) << c.args.back();
    }
    SetLanguage(LANG_NONE);
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
