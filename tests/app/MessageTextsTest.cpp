#include "app/AppState.h"
#include "app/FillMessageTable.h"
#include "controls/MessageTable.h"

#include <gtest/gtest.h>

namespace {
std::string Find(const CMessageTable& table, int key) {
    const std::string* text = table.FindMessage(key);
    return text ? *text : "<none>";
}
} // namespace

TEST(MessageTexts, EachLanguageFindsItsOwnTexts) {
    CMessageTable table;
    FillMessageTable(table);
    EXPECT_EQ(table.GetCount(), 24);

    EXPECT_EQ(Find(table, MSG_QUIT), "Wil je het programma verlaten?"); // no language: Dutch
    table.SetGroup(LANG_FRENCH);
    EXPECT_EQ(Find(table, MSG_SAVE_ERROR), "Erreur: Le fichier n'est pas sauvé");
    table.SetGroup(LANG_ENGLISH);
    EXPECT_EQ(Find(table, MSG_QUIT), "Do you really want to Quit?");
    EXPECT_EQ(Find(table, MSG_READ_ERROR), "Error: Could not read the file");
    EXPECT_EQ(Find(table, MSG_CLEAR_LAYER), "Do you want to clear the layer?");
    table.SetGroup(LANG_GERMAN);
    EXPECT_EQ(Find(table, MSG_READ_ERROR), "Fehler: Konnte datei nicht \xC3\xB6"
                                           "ffnen");
    EXPECT_EQ(Find(table, MSG_REPLACE_PROMPT), "Klick OK zum Ersetzen des Inhalts der Schicht.");

    table.SetGroup(7);
    for (int key = MSG_REPLACE_LAYER; key <= MSG_READ_ERROR; ++key)
        EXPECT_EQ(table.FindMessage(key), nullptr) << key;
}
