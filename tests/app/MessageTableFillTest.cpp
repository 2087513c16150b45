#include "app/AppState.h"
#include "app/FillMessageTable.h"
#include "controls/MessageTable.h"

#include <gtest/gtest.h>

namespace {
// The English question before a layer is cleared (once misspelt "Do yo want to Clear the layer?").
const char* const englishClearQuestion = "Do you want to clear the layer?";

// Every text, byte for byte (UTF-8), by language and key.
const std::string texts[4][7] = {
    {"De inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen", "Wil je de laag wissen?",
     "Wil je het programma verlaten?", "Fout: kon de file niet wegschrijven",
     "Fout: kon de file niet inladen",
     "Fout: %1 kon niet als afbeelding gelezen worden. Er is niets toegevoegd."},
    {"Remplacer le contenu?", "Cliquez OK pour remplacer le contenu.", "Effacer le contenu?",
     "Quitter ce logiciel?", "Erreur: Le fichier n'est pas sauv\xC3\xA9",
     "Erreur: Pouvait pas lire le fichier",
     "Erreur\xC2\xA0: impossible de lire l'image %1. Rien n'a \xC3\xA9t\xC3\xA9 ajout\xC3\xA9."},
    {"Replace the layer's contents?", "Click OK to replace the layer's contents", englishClearQuestion,
     "Do you really want to Quit?", "Error: Could not save the file", "Error: Could not read the file",
     "Error: Could not read %1 as a picture. Nothing was added."},
    {"Der Inhalt der Schicht ersetzen?", "Klick OK zum Ersetzen des Inhalts der Schicht.",
     "M\xC3\xB6"
     "chten Sie die Schicht L\xC3\xB6"
     "schen?",
     "M\xC3\xB6"
     "chten Sie wirklich beenden?",
     "Fehler: Konnte datei nicht speichern",
     "Fehler: Konnte datei nicht \xC3\xB6"
     "ffnen",
     "Fehler: %1 konnte nicht als Bild gelesen werden. Es wurde nichts hinzugef\xC3\xBCgt."},
};
} // namespace

TEST(MessageTableFill, EveryTextOfEveryLanguageByteForByte) {
    CMessageTable table;
    FillMessageTable(table);
    EXPECT_EQ(table.GetCount(), 4 * MSG_LAST);
    for (int language = LANG_DUTCH; language <= LANG_GERMAN; ++language) {
        table.SetGroup(language);
        for (int key = MSG_PICTURE_UNREADABLE + 1; key <= MSG_LAST; ++key)
            EXPECT_NE(table.FindMessage(key), nullptr) << language << "/" << key;
        for (int key = MSG_REPLACE_LAYER; key <= MSG_PICTURE_UNREADABLE; ++key) {
            const std::string* text = table.FindMessage(key);
            ASSERT_NE(text, nullptr) << language << "/" << key;
            EXPECT_EQ(*text, texts[language - 1][key - 1]) << language << "/" << key;
        }
    }
}

TEST(MessageTableFill, DutchGoesInFirstSoThatNoLanguageFindsIt) {
    // The table keeps insertion order and a look-up without a language takes the first entry of a key.
    CMessageTable table;
    FillMessageTable(table);
    table.SetGroup(LANG_NONE);
    for (int key = MSG_REPLACE_LAYER; key <= MSG_PICTURE_UNREADABLE; ++key) {
        ASSERT_NE(table.FindMessage(key), nullptr) << key;
        EXPECT_EQ(*table.FindMessage(key), texts[0][key - 1]) << key;
    }
    // A language the table does not know finds nothing, so no question is ever asked.
    table.SetGroup(7);
    for (int key = MSG_REPLACE_LAYER; key <= MSG_LAST; ++key)
        EXPECT_EQ(table.FindMessage(key), nullptr) << key;
}
