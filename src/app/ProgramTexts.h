#pragma once
// The program's own words beyond the editor's message table, in Dutch, French, English and German. The
// resource tool reads them too: it draws the start-up picture and the help's Text dialog of each language
// with them. Dutch says "je", French "tu" and German "du", as the help pages do.

#include "app/AppState.h"

enum class ProgramText {
    replaceFile,     // before a file is replaced; %1 stands for its name
    fileNotWritten,  // %1 stands for the file's path
    restoreAutosave, // at start, for a picture an earlier run left unsaved
    // The buttons of the Text dialog, and the Save button of the Info dialog.
    fontButton,
    centreButton,
    colourButton,
    okButton,
    cancelButton,
    saveButton,
    // What the Info dialog says of a layer: %1 the picture's file, %2 × %3 its size, %4 its bits a pixel,
    // %5 to %8 its place and size in the picture, %9 its transparency's file.
    layerInfo,
    textPicture,    // the picture's file in layerInfo when the layer holds a text
    noTransparency, // the transparency's file in layerInfo when there is none
    // The names of the file types in the file dialogs' filters, their patterns included.
    layeredFileType,
    bitmapFileType,
    pngFileType,
    // The words of the start-up picture.
    startupSlogan,
    startupGreeting,
    startupCredit,
};

struct ProgramTextRow {
    ProgramText text;
    const char* words[LANGUAGE_COUNT];
};

inline constexpr ProgramTextRow PROGRAM_TEXTS[] = {
    {ProgramText::replaceFile,
     {"%1 bestaat al.\nWil je het vervangen?", "%1 existe déjà.\nVeux-tu le remplacer\u00a0?",
      "%1 already exists.\nDo you want to replace it?",
      "%1 gibt es schon.\nMöchtest du die Datei ersetzen?"}},
    {ProgramText::fileNotWritten,
     {"%1 kon niet worden opgeslagen.", "Impossible d'enregistrer %1.", "%1 could not be saved.",
      "%1 konnte nicht gespeichert werden."}},
    {ProgramText::restoreAutosave,
     {"Quimble is onverwacht gestopt en heeft een niet-opgeslagen afbeelding bewaard.\nWil je die "
      "herstellen?",
      "Quimble s'est arrêté sans prévenir et a gardé une image non enregistrée.\n"
      "Veux-tu la restaurer\u00a0?",
      "Quimble ended unexpectedly and kept an unsaved picture.\nDo you want to restore it?",
      "Quimble wurde unerwartet beendet und hat ein nicht gespeichertes Bild aufbewahrt.\n"
      "Möchtest du es wiederherstellen?"}},
    {ProgramText::fontButton, {"Lettertype...", "Police...", "Font...", "Schrift..."}},
    {ProgramText::centreButton, {"Centreren", "Centrer", "Centre", "Zentrieren"}},
    {ProgramText::colourButton, {"Kleur...", "Couleur...", "Colour...", "Farbe..."}},
    {ProgramText::okButton, {"OK", "OK", "OK", "OK"}},
    {ProgramText::cancelButton, {"Annuleren", "Annuler", "Cancel", "Abbrechen"}},
    {ProgramText::saveButton, {"Opslaan", "Enregistrer", "Save", "Speichern"}},
    {ProgramText::layerInfo,
     {"\n\nAfbeelding: <%1>\n%2x%3, %4 bits\nX: %5, Y: %6, B: %7, H: %8\n\nDoorzichtigheid: <%9>",
      "\n\nImage\u00a0: <%1>\n%2x%3, %4 bits\nX\u00a0: %5, Y\u00a0: %6, L\u00a0: %7, H\u00a0: %8\n\n"
      "Transparence\u00a0: <%9>",
      "\n\nImage: <%1>\n%2x%3, %4 bits\nX: %5, Y: %6, W: %7, H: %8\n\nAlpha: <%9>",
      "\n\nBild: <%1>\n%2x%3, %4 Bit\nX: %5, Y: %6, B: %7, H: %8\n\nTransparenz: <%9>"}},
    {ProgramText::textPicture, {"tekst", "texte", "text", "Text"}},
    {ProgramText::noTransparency, {"geen", "aucune", "none", "keine"}},
    {ProgramText::layeredFileType,
     {"Quimble-bestand (*.qmf)", "Fichier Quimble (*.qmf)", "Quimble file (*.qmf)", "Quimble-Datei (*.qmf)"}},
    {ProgramText::bitmapFileType,
     {"Bitmapbestand (*.bmp)", "Fichier bitmap (*.bmp)", "Bitmap file (*.bmp)", "Bitmap-Datei (*.bmp)"}},
    {ProgramText::pngFileType,
     {"PNG-bestand (*.png)", "Fichier PNG (*.png)", "PNG file (*.png)", "PNG-Datei (*.png)"}},
    {ProgramText::startupSlogan,
     {"Maak je eigen beeldverhalen", "Crée tes propres histoires en images", "Make your own picture stories",
      "Mach deine eigenen Bildergeschichten"}},
    {ProgramText::startupGreeting, {"Hallo!", "Salut\u00a0!", "Hello!", "Hallo!"}},
    {ProgramText::startupCredit,
     {"Vrije clipart uit het archief van Debian: zie res/CREDITS.txt",
      "Images libres de l'archive de Debian\u00a0: voir res/CREDITS.txt",
      "Free clip art from Debian's archive: see res/CREDITS.txt",
      "Freie Cliparts aus dem Archiv von Debian: siehe res/CREDITS.txt"}},
};

// The words of text in the language (Dutch for any number not French, English or German).
constexpr const char* ProgramWords(ProgramText text, int language) {
    for (const ProgramTextRow& row : PROGRAM_TEXTS)
        if (row.text == text)
            return row.words[LanguageColumn(language)];
    return "";
}
