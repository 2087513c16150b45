#include "app/FillMessageTable.h"

#include "app/AppState.h"
#include "controls/MessageTable.h"

void FillMessageTable(CMessageTable& table) {
    // %1 in the file errors stands for the file's name.
    static const char* const texts[4][7] = {
        {"Wil je de inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen",
         "Wil je de laag wissen?", "Wil je Quimble afsluiten?", "Het bestand %1 kon niet worden opgeslagen.",
         "Het bestand %1 kon niet worden geopend.",
         "%1 kon niet als afbeelding worden gelezen. Er is niets toegevoegd."},
        {"Veux-tu remplacer le contenu de ce calque\u00a0?", "Cliquez OK pour remplacer le contenu.",
         "Veux-tu vider ce calque\u00a0?", "Veux-tu vraiment quitter Quimble\u00a0?",
         "Impossible d'enregistrer le fichier %1.", "Impossible de lire le fichier %1.",
         "Impossible de lire l'image %1. Rien n'a été ajouté."},
        {"Replace the layer's contents?", "Click OK to replace the layer's contents",
         "Do you want to clear the layer?", "Do you really want to Quit?", "Could not save the file %1.",
         "Could not read the file %1.", "Could not read %1 as a picture. Nothing was added."},
        {"Möchtest du den Inhalt dieser Ebene ersetzen?", "Klick OK zum Ersetzen des Inhalts der Schicht.",
         "Möchtest du den Inhalt dieser Ebene löschen?", "Möchtest du Quimble wirklich beenden?",
         "Die Datei %1 konnte nicht gespeichert werden.", "Die Datei %1 konnte nicht geöffnet werden.",
         "%1 konnte nicht als Bild gelesen werden. Es wurde nichts hinzugefügt."},
    };
    // A text that cannot be added has already been reported; the others still go in.
    for (int group = LANG_DUTCH; group <= LANG_GERMAN; ++group)
        for (int key = MSG_REPLACE_LAYER; key <= MSG_PICTURE_UNREADABLE; ++key)
            table.AddMessage(key, group, texts[group - LANG_DUTCH][key - MSG_REPLACE_LAYER]);
}
