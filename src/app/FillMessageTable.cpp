#include "app/FillMessageTable.h"

#include "app/AppState.h"
#include "controls/MessageTable.h"

void FillMessageTable(CMessageTable& table) {
    static const char* const texts[4][MSG_LAST] = {
        {"De inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen", "Wil je de laag wissen?",
         "Wil je het programma verlaten?", "Fout: kon de file niet wegschrijven",
         "Fout: kon de file niet inladen",
         "Fout: %1 kon niet als afbeelding gelezen worden. Er is niets toegevoegd.",
         "Met OK komt de tekst in deze laag", "Met OK komt de tekst op de afbeelding",
         "Er is geen lege laag boven deze afbeelding voor de tekst. Wis eerst een laag of kies een lege "
         "laag."},
        {"Remplacer le contenu?", "Cliquez OK pour remplacer le contenu.", "Effacer le contenu?",
         "Quitter ce logiciel?", "Erreur: Le fichier n'est pas sauvé", "Erreur: Pouvait pas lire le fichier",
         "Erreur\u00a0: impossible de lire l'image %1. Rien n'a été ajouté.",
         "OK met le texte dans ce calque", "OK met le texte sur l'image",
         "Il n'y a pas de calque vide au-dessus de cette image pour le texte. Videz d'abord un calque ou "
         "choisissez un calque vide."},
        {"Replace the layer's contents?", "Click OK to replace the layer's contents",
         "Do you want to clear the layer?", "Do you really want to Quit?", "Error: Could not save the file",
         "Error: Could not read the file", "Error: Could not read %1 as a picture. Nothing was added.",
         "OK puts the text in this layer", "OK puts the text on the picture",
         "There is no empty layer above this picture for the text. Clear a layer first, or choose an empty "
         "one."},
        {"Der Inhalt der Schicht ersetzen?", "Klick OK zum Ersetzen des Inhalts der Schicht.",
         "Möchten Sie die Schicht Löschen?", "Möchten Sie wirklich beenden?",
         "Fehler: Konnte datei nicht speichern", "Fehler: Konnte datei nicht öffnen",
         "Fehler: %1 konnte nicht als Bild gelesen werden. Es wurde nichts hinzugefügt.",
         "Mit OK kommt der Text in diese Schicht", "Mit OK kommt der Text auf das Bild",
         "Über diesem Bild ist keine Schicht für den Text frei. Leeren Sie zuerst eine Schicht oder wählen "
         "Sie eine leere."},
    };
    // A text that cannot be added has already been reported; the others still go in.
    for (int group = LANG_DUTCH; group <= LANG_GERMAN; ++group)
        for (int key = MSG_REPLACE_LAYER; key <= MSG_LAST; ++key)
            table.AddMessage(key, group, texts[group - LANG_DUTCH][key - MSG_REPLACE_LAYER]);
}
