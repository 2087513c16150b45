#include "app/AppState.h"
#include "app/LocaleLanguage.h"
#include "app/QuimbleCommandLineInfo.h"

#include <gtest/gtest.h>

namespace {
using Info = CQuimbleCommandLineInfo;
} // namespace

TEST(CommandLine, NumbersPicturesAndOptionsAreToldApart) {
    const struct {
        std::vector<std::string> args;
        Info::Mode mode;
        int language;
        const char* picture;
    } cases[] = {
        {{}, Info::editor, LANG_NONE, ""},
        {{"3"}, Info::editor, LANG_ENGLISH, ""},
        {{"3", "2"}, Info::editor, LANG_FRENCH, ""}, // the last number counts
        {{"-3"}, Info::editor, LANG_ENGLISH, ""},    // as old shortcuts give it
        {{"2", "-4", "p.qmf"}, Info::editor, LANG_GERMAN, "p.qmf"},
        {{"/home/me/my picture.qmf", "1"}, Info::editor, LANG_DUTCH, "/home/me/my picture.qmf"},
        {{"a.qmf", "b.bmp"}, Info::editor, LANG_NONE, "b.bmp"},        // any path, the last one
        {{"5"}, Info::editor, LANG_NONE, "5"},                         // no language: a name
        {{"--", "-3"}, Info::editor, LANG_NONE, "-3"},                 // after "--", no option
        {{"4", "--help"}, Info::help, LANG_GERMAN, ""},                // help in the language given
        {{"-h", "--bogus", "2"}, Info::badArguments, LANG_FRENCH, ""}, // an unknown option wins
        {{"-v"}, Info::version, LANG_NONE, ""},
        {{"--version", "--render", "a.qmf", "a.png"}, Info::version, LANG_NONE, ""},
        {{"a.qmf", "a.png", "--render", "--size=3x4"}, Info::render, LANG_NONE, ""},
        {{"--render", "a.qmf", "a.png", "--size"}, Info::badArguments, LANG_NONE, ""}, // no value
        {{"--thumbnail", "a.qmf", "a.png", "128"}, Info::thumbnail, LANG_NONE, ""},
        {{"--thumbnail", "a.qmf", "a.png"}, Info::badArguments, LANG_NONE, ""},
        {{"--thumbnail", "--render", "a", "b", "1"}, Info::badArguments, LANG_DUTCH, ""},
        {{"--size", "3x3", "a.qmf"}, Info::badArguments, LANG_NONE, ""},
        {{"-x3"}, Info::badArguments, LANG_ENGLISH, ""},
    };
    for (const auto& c : cases) {
        std::string given;
        for (const std::string& arg : c.args)
            given += arg + " ";
        Info info;
        info.ParseArguments(c.args);
        EXPECT_EQ(info.m_mode, c.mode) << given;
        EXPECT_EQ(info.m_language, c.language) << given;
        EXPECT_EQ(info.m_strFileName, c.picture) << given;
        EXPECT_EQ(info.ErrorText().empty(), c.mode != Info::badArguments) << given << info.ErrorText();
    }
}

TEST(CommandLine, WithoutANumberTheDesktopsLanguageCounts) {
    const struct {
        LocaleVariables variables;
        int language;
    } cases[] = {
        {{}, LANG_NONE},
        {{nullptr, nullptr, nullptr, "de_DE.UTF-8"}, LANG_GERMAN},
        {{nullptr, nullptr, nullptr, "C.UTF-8"}, LANG_NONE},
        {{nullptr, nullptr, "fr_BE@euro", "de_DE"}, LANG_FRENCH},
        {{nullptr, "en_GB", "fr_FR", "de_DE"}, LANG_ENGLISH},
        {{nullptr, "", "", "nl_BE"}, LANG_DUTCH},          // empty is unset
        {{nullptr, "ja_JP", nullptr, "de_DE"}, LANG_NONE}, // the messages' locale is not ours
        {{"sv:de_AT:fr", "en_US", nullptr, nullptr}, LANG_GERMAN},
        {{"sv:", nullptr, nullptr, "fr_CA"}, LANG_FRENCH},
        {{"english", nullptr, nullptr, nullptr}, LANG_NONE}, // names, not prefixes
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageOfLocale(c.variables), c.language)
            << (c.variables.language ? c.variables.language : "-") << " "
            << (c.variables.lcAll ? c.variables.lcAll : "-") << " "
            << (c.variables.lang ? c.variables.lang : "-");
}
