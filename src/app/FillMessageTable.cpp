#include "app/FillMessageTable.h"

#include "app/AppState.h"
#include "controls/MessageTable.h"

void FillMessageTable(CMessageTable& table) {
    static const char* const texts[4][6] = {
        {"De inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen", "Wil je de laag wissen?",
         "Wil je het programma verlaten?", "Fout: kon de file niet wegschrijven",
         "Fout: kon de file niet inladen"},
        {"Remplacer le contenu?", "Cliquez OK pour remplacer le contenu.", "Effacer le contenu?",
         "Quitter ce logiciel?", "Erreur: Le fichier n'est pas sauvé", "Erreur: Pouvait pas lire le fichier"},
        {"Replace the layer's contents?", "Click OK to replace the layer's contents",
         "Do you want to clear the layer?", "Do you really want to Quit?", "Error: Could not save the file",
         "Error: Could not read the file"},
        {"Der Inhalt der Schicht ersetzen?", "Klick OK zum Ersetzen des Inhalts der Schicht.",
         "Möchten Sie die Schicht Löschen?", "Möchten Sie wirklich beenden?",
         "Fehler: Konnte datei nicht speichern", "Fehler: Konnte datei nicht öffnen"},
    };
    // A text that cannot be added has already been reported; the others still go in.
    for (int group = LANG_DUTCH; group <= LANG_GERMAN; ++group)
        for (int key = MSG_REPLACE_LAYER; key <= MSG_READ_ERROR; ++key)
            table.AddMessage(key, group, texts[group - LANG_DUTCH][key - MSG_REPLACE_LAYER]);
}
