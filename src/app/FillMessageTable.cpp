#include "app/FillMessageTable.h"

#include "app/AppState.h"
#include "controls/MessageTable.h"

void FillMessageTable(CMessageTable& table) {
    static const char* const texts[4][7] = {
        {"De inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen", "Wil je de laag wissen?",
         "Wil je het programma verlaten?", "Fout: kon de file niet wegschrijven",
         "Fout: kon de file niet inladen",
         "Fout: %1 kon niet als afbeelding gelezen worden. Er is niets toegevoegd."},
        {"Remplacer le contenu?", "Cliquez OK pour remplacer le contenu.", "Effacer le contenu?",
         "Quitter ce logiciel?", "Erreur: Le fichier n'est pas sauvé", "Erreur: Pouvait pas lire le fichier",
         "Erreur\u00a0: impossible de lire l'image %1. Rien n'a été ajouté."},
        {"Replace the layer's contents?", "Click OK to replace the layer's contents",
         "Do you want to clear the layer?", "Do you really want to Quit?", "Error: Could not save the file",
         "Error: Could not read the file", "Error: Could not read %1 as a picture. Nothing was added."},
        {"Der Inhalt der Schicht ersetzen?", "Klick OK zum Ersetzen des Inhalts der Schicht.",
         "Möchten Sie die Schicht Löschen?", "Möchten Sie wirklich beenden?",
         "Fehler: Konnte datei nicht speichern", "Fehler: Konnte datei nicht öffnen",
         "Fehler: %1 konnte nicht als Bild gelesen werden. Es wurde nichts hinzugefügt."},
    };
    // A text that cannot be added has already been reported; the others still go in.
    for (int group = LANG_DUTCH; group <= LANG_GERMAN; ++group)
        for (int key = MSG_REPLACE_LAYER; key <= MSG_PICTURE_UNREADABLE; ++key)
            table.AddMessage(key, group, texts[group - LANG_DUTCH][key - MSG_REPLACE_LAYER]);
}
