#include "app/QuimbleResource.h"

#include "app/AppState.h"
#include "platform/CmdTarget.h"

// Each table lists its texts in Dutch, French, English and German. A shortcut after "\t" is shown only;
// the shortcuts themselves are the same in every language.
namespace {
// The main menu from top to bottom: a popup's name, then its items; a separator has no texts.
constexpr UINT POPUP = ~0u;
constexpr UINT SEPARATOR = 0;
const struct {
    UINT command;
    const char* text[LANGUAGE_COUNT];
} menuRows[] = {
    {POPUP, {"&Bestand", "&Fichier", "&File", "&Datei"}},
    {ID_NEW_PICTURE, {"&Nieuw...\tCtrl+N", "&Nouveau...\tCtrl+N", "&New...\tCtrl+N", "&Neu...\tStrg+N"}},
    {ID_FILE_OPEN, {"&Openen...\tCtrl+O", "&Ouvrir...\tCtrl+O", "&Open...\tCtrl+O", "Ö&ffnen...\tStrg+O"}},
    {ID_FILE_SAVE, {"Op&slaan\tCtrl+S", "&Enregistrer\tCtrl+S", "&Save\tCtrl+S", "&Speichern\tStrg+S"}},
    {ID_FILE_SAVE_AS, {"Opslaan a&ls...", "Enregistrer &sous...", "Save &As...", "Speichern &unter..."}},
    {ID_FILE_EXPORT,
     {"&Exporteren...\tCtrl+E", "E&xporter...\tCtrl+E", "&Export...\tCtrl+E", "E&xportieren...\tStrg+E"}},
    {ID_ADD_PICTURES,
     {"Afbeeldingen &toevoegen...", "A&jouter des images...", "A&dd Pictures...", "Bilder &hinzufügen..."}},
    {SEPARATOR, {}},
    {ID_FILE_PRINT,
     {"Af&drukken...\tCtrl+P", "&Imprimer...\tCtrl+P", "&Print...\tCtrl+P", "&Drucken...\tStrg+P"}},
    {ID_FILE_PRINT_PREVIEW,
     {"Afdruk&voorbeeld", "&Aperçu avant impression", "Print Pre&view", "Druck&vorschau"}},
    {ID_FILE_PRINT_SETUP,
     {"&Printerinstellingen...", "&Configuration de l'impression...", "P&rint Setup...",
      "Drucker&einrichtung..."}},
    {SEPARATOR, {}},
    {ID_APP_EXIT, {"&Afsluiten", "&Quitter", "E&xit", "&Beenden"}},
    {POPUP, {"Be&werken", "&Édition", "&Edit", "&Bearbeiten"}},
    {ID_EDIT_UNDO, {"&Ongedaan maken\tCtrl+Z", "&Annuler\tCtrl+Z", "&Undo\tCtrl+Z", "&Rückgängig\tStrg+Z"}},
    {ID_EDIT_REDO,
     {"Opnieuw &uitvoeren\tCtrl+Y", "&Rétablir\tCtrl+Y", "&Redo\tCtrl+Y", "&Wiederherstellen\tStrg+Y"}},
    {POPUP, {"&Help", "&Aide", "&Help", "&Hilfe"}},
    {ID_APP_ABOUT,
     {"&Info over Quimble...", "À &propos de Quimble...", "&About Quimble...", "&Info über Quimble..."}},
};

const FRAMEWORKTEXTS frameworkTexts[LANGUAGE_COUNT] = {
    {"nl", "Wijzigingen in %1 opslaan?", "Naamloos", "Openen", "Opslaan als", "Alle bestanden (*.*)",
     "Niet opslaan", "Herstellen", "Weggooien"},
    {"fr", "Enregistrer les modifications de %1\u00a0?", "Sans titre", "Ouvrir", "Enregistrer sous",
     "Tous les fichiers (*.*)", "Ne pas enregistrer", "Restaurer", "Supprimer"},
    {"en", "Save changes to %1?", "Untitled", "Open", "Save As", "All Files (*.*)", "Don't Save", "Restore",
     "Discard"},
    {"de", "Änderungen in %1 speichern?", "Unbenannt", "Öffnen", "Speichern unter", "Alle Dateien (*.*)",
     "Nicht speichern", "Wiederherstellen", "Verwerfen"},
};

const struct {
    UINT dialog;
    const char* caption[LANGUAGE_COUNT];
} dialogCaptions[] = {
    {IDD_TEXT, {"Tekst", "Texte", "Text", "Text"}},
    {IDD_INFO, {"Info", "Informations", "Info", "Info"}},
};

// %1 stands for the places looked in, one a line.
const char* const noDataFolder[LANGUAGE_COUNT] = {
    "Quimble kan zijn afbeeldingen niet vinden. Gezocht in:\n%1",
    "Quimble ne trouve pas ses images. Cherchées dans\u00a0:\n%1",
    "Quimble cannot find its pictures. Looked in:\n%1",
    "Quimble findet seine Bilder nicht. Gesucht in:\n%1",
};

const char* const picturesFilterName[LANGUAGE_COUNT] = {"Afbeeldingen", "Images", "Pictures", "Bilder"};
const struct {
    ProgramText text;
    const char* words[LANGUAGE_COUNT];
} programTexts[] = {
    {ProgramText::replaceFile,
     {"%1 bestaat al.\nWil je het vervangen?", "%1 existe déjà.\nVoulez-vous le remplacer\u00a0?",
      "%1 already exists.\nDo you want to replace it?",
      "%1 ist bereits vorhanden.\nMöchten Sie es ersetzen?"}},
    {ProgramText::fileNotWritten,
     {"%1 kon niet worden opgeslagen.", "Impossible d'enregistrer %1.", "%1 could not be saved.",
      "%1 konnte nicht gespeichert werden."}},
    {ProgramText::restoreAutosave,
     {"Quimble is onverwacht gestopt en heeft een niet-opgeslagen afbeelding bewaard.\nWil je die "
      "herstellen?",
      "Quimble s'est arrêté inopinément et a conservé une image non enregistrée.\n"
      "Voulez-vous la restaurer\u00a0?",
      "Quimble ended unexpectedly and kept an unsaved picture.\nDo you want to restore it?",
      "Quimble wurde unerwartet beendet und hat ein nicht gespeichertes Bild aufbewahrt.\n"
      "Möchten Sie es wiederherstellen?"}},
};
} // namespace

DOCRESOURCE QuimbleDocResource(int language) {
    const int column = LanguageColumn(language);
    DOCRESOURCE r;
    // No filter name or extension, so the framework's Save As dialog offers all files only.
    r.docString = "Quimble\n\nQuimbl\n\n\nQuimble.Document\nQuimbl Document";
    for (const auto& row : menuRows) {
        if (row.command == POPUP)
            r.menu.AddPopup(row.text[column]);
        else if (row.command == SEPARATOR)
            r.menu.AddSeparator();
        else
            r.menu.AddItem(row.text[column], row.command);
    }
    r.accelerators = {{FCONTROL, 'N', ID_NEW_PICTURE},        {FCONTROL, 'O', ID_FILE_OPEN},
                      {FCONTROL, 'S', ID_FILE_SAVE},          {FCONTROL, 'E', ID_FILE_EXPORT},
                      {FCONTROL, 'P', ID_FILE_PRINT},         {FCONTROL, 'Z', ID_EDIT_UNDO},
                      {FCONTROL | FSHIFT, 'Z', ID_EDIT_REDO}, {FCONTROL, 'Y', ID_EDIT_REDO}};
    return r;
}

FRAMEWORKTEXTS QuimbleFrameworkTexts(int language) {
    return frameworkTexts[LanguageColumn(language)];
}

const char* DialogCaption(UINT dialog, int language) {
    for (const auto& row : dialogCaptions)
        if (row.dialog == dialog)
            return row.caption[LanguageColumn(language)];
    return "";
}

const char* NoDataFolderText(int language) {
    return noDataFolder[LanguageColumn(language)];
}

const char* PicturesFilterName(int language) {
    return picturesFilterName[LanguageColumn(language)];
}

std::string ProgramTextOf(ProgramText text, int language, const std::string& detail) {
    std::string said;
    for (const auto& row : programTexts)
        if (row.text == text)
            said = row.words[LanguageColumn(language)];
    if (std::size_t at = said.find("%1"); at != std::string::npos)
        said.replace(at, 2, detail);
    return said;
}
