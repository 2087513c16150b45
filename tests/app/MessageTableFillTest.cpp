#include "app/AppState.h"
#include "app/FillMessageTable.h"
#include "controls/MessageTable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {
// The last key the table fills.
constexpr int lastKey = MSG_PICTURE_UNREADABLE;
// The keys whose texts name a file in place of their %1.
bool NamesAFile(int key) {
    return key == MSG_SAVE_ERROR || key == MSG_READ_ERROR || key == MSG_PICTURE_UNREADABLE;
}
} // namespace

// Every key has its own text in each language, which no other language shares, and the file errors all
// name the file.
TEST(MessageTableFill, EveryKeyHasATextOfItsOwnInEachLanguage) {
    CMessageTable table;
    FillMessageTable(table);
    EXPECT_EQ(table.GetCount(), 4 * lastKey);
    for (int key = MSG_REPLACE_LAYER; key <= lastKey; ++key) {
        std::set<std::string> texts;
        for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
            table.SetGroup(language);
            const std::string* text = table.FindMessage(key);
            ASSERT_NE(text, nullptr) << language << "/" << key;
            EXPECT_FALSE(text->empty()) << language << "/" << key;
            EXPECT_EQ(text->find("%1") != std::string::npos, NamesAFile(key)) << language << "/" << key;
            texts.insert(*text);
        }
        EXPECT_EQ(texts.size(), 4u) << key;
    }
    // Words a German reader would stumble over: a capital verb in mid-sentence, a noun in lower case.
    table.SetGroup(LANG_GERMAN);
    EXPECT_EQ(*table.FindMessage(MSG_CLEAR_LAYER), "M\xC3\xB6"
                                                   "chtest du den Inhalt dieser Ebene l\xC3\xB6"
                                                   "schen?");
    table.SetGroup(LANG_ENGLISH);
    EXPECT_EQ(*table.FindMessage(MSG_READ_ERROR), "Could not read the file %1.");
}

TEST(MessageTableFill, DutchGoesInFirstSoThatNoLanguageFindsIt) {
    // The table keeps insertion order and a look-up without a language takes the first entry of a key.
    CMessageTable table;
    FillMessageTable(table);
    table.SetGroup(LANG_NONE);
    for (int key = MSG_REPLACE_LAYER; key <= lastKey; ++key) {
        ASSERT_NE(table.FindMessage(key), nullptr) << key;
        table.SetGroup(LANG_DUTCH);
        const std::string dutch = *table.FindMessage(key);
        table.SetGroup(LANG_NONE);
        EXPECT_EQ(*table.FindMessage(key), dutch) << key;
    }
    // A language the table does not know finds nothing, so no question is ever asked.
    table.SetGroup(7);
    for (int key = MSG_REPLACE_LAYER; key <= lastKey; ++key)
        EXPECT_EQ(table.FindMessage(key), nullptr) << key;
}
