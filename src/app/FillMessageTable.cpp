#include "app/FillMessageTable.h"

#include "app/AppState.h"
#include "controls/MessageTable.h"

void FillMessageTable(CMessageTable& table) {
    // %1 in the file errors stands for the file's name.
    static const char* const texts[4][MSG_LAST] = {
        {"Wil je de inhoud van deze laag vervangen?", "Klik op OK om de laag te vervangen",
         "Wil je de laag wissen?", "Wil je Quimble afsluiten?", "Het bestand %1 kon niet worden opgeslagen.",
         "Het bestand %1 kon niet worden geopend.",
         "%1 kon niet als afbeelding worden gelezen. Er is niets toegevoegd.",
         "Met OK komt de tekst in deze laag", "Met OK komt de tekst op de afbeelding",
         "Er is geen lege laag boven deze afbeelding voor de tekst. Wis eerst een laag of kies een lege "
         "laag."},
        {"Veux-tu remplacer le contenu de ce calque\u00a0?", "Clique sur OK pour remplacer le contenu.",
         "Veux-tu vider ce calque\u00a0?", "Veux-tu vraiment quitter Quimble\u00a0?",
         "Impossible d'enregistrer le fichier %1.", "Impossible de lire le fichier %1.",
         "Impossible de lire l'image %1. Rien n'a été ajouté.", "OK met le texte dans ce calque",
         "OK met le texte sur l'image",
         "Il n'y a pas de calque vide au-dessus de cette image pour le texte. Vide d'abord un calque ou "
         "choisis un calque vide."},
        {"Replace the layer's contents?", "Click OK to replace the layer's contents",
         "Do you want to clear the layer?", "Do you really want to Quit?", "Could not save the file %1.",
         "Could not read the file %1.", "Could not read %1 as a picture. Nothing was added.",
         "OK puts the text in this layer", "OK puts the text on the picture",
         "There is no empty layer above this picture for the text. Clear a layer first, or choose an empty "
         "one."},
        {"Möchtest du den Inhalt dieser Ebene ersetzen?", "Mit OK ersetzt du den Inhalt dieser Ebene.",
         "Möchtest du den Inhalt dieser Ebene löschen?", "Möchtest du Quimble wirklich beenden?",
         "Die Datei %1 konnte nicht gespeichert werden.", "Die Datei %1 konnte nicht geöffnet werden.",
         "%1 konnte nicht als Bild gelesen werden. Es wurde nichts hinzugefügt.",
         "Mit OK kommt der Text in diese Ebene", "Mit OK kommt der Text auf das Bild",
         "Über diesem Bild ist keine Ebene für den Text frei. Leere zuerst eine Ebene oder wähle eine "
         "leere."},
    };
    // A text that cannot be added has already been reported; the others still go in.
    for (int group = LANG_DUTCH; group <= LANG_GERMAN; ++group)
        for (int key = MSG_REPLACE_LAYER; key <= MSG_LAST; ++key)
            table.AddMessage(key, group, texts[group - LANG_DUTCH][key - MSG_REPLACE_LAYER]);
}
