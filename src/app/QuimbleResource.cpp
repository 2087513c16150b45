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
    {ID_APP_EXIT, {"&Afsluiten\tCtrl+Q", "&Quitter\tCtrl+Q", "E&xit\tCtrl+Q", "&Beenden\tStrg+Q"}},
    {POPUP, {"Be&werken", "&Édition", "&Edit", "&Bearbeiten"}},
    {ID_EDIT_UNDO, {"&Ongedaan maken\tCtrl+Z", "&Annuler\tCtrl+Z", "&Undo\tCtrl+Z", "&Rückgängig\tStrg+Z"}},
    {ID_EDIT_REDO,
     {"Opnieuw &uitvoeren\tCtrl+Y", "&Rétablir\tCtrl+Y", "&Redo\tCtrl+Y", "&Wiederherstellen\tStrg+Y"}},
    {POPUP, {"&Help", "&Aide", "&Help", "&Hilfe"}},
    {ID_APP_ABOUT,
     {"&Info over Quimble...", "À &propos de Quimble...", "&About Quimble...", "&Info über Quimble..."}},
};

const FRAMEWORKTEXTS frameworkTexts[LANGUAGE_COUNT] = {
    {"nl", "Wil je de wijzigingen in %1 opslaan?", "Naamloos", "Openen", "Opslaan als",
     "Alle bestanden (*.*)", "Niet opslaan", "Herstellen", "Weggooien"},
    {"fr", "Veux-tu enregistrer les modifications de %1\u00a0?", "Sans titre", "Ouvrir", "Enregistrer sous",
     "Tous les fichiers (*.*)", "Ne pas enregistrer", "Restaurer", "Supprimer"},
    {"en", "Save changes to %1?", "Untitled", "Open", "Save As", "All Files (*.*)", "Don't Save", "Restore",
     "Discard"},
    {"de", "Möchtest du die Änderungen in %1 speichern?", "Unbenannt", "Öffnen", "Speichern unter",
     "Alle Dateien (*.*)", "Nicht speichern", "Wiederherstellen", "Verwerfen"},
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
    r.accelerators = {{FCONTROL, 'N', ID_NEW_PICTURE}, {FCONTROL, 'O', ID_FILE_OPEN},
                      {FCONTROL, 'S', ID_FILE_SAVE},   {FCONTROL, 'E', ID_FILE_EXPORT},
                      {FCONTROL, 'P', ID_FILE_PRINT},  {FCONTROL, 'Q', ID_APP_EXIT},
                      {FCONTROL, 'Z', ID_EDIT_UNDO},   {FCONTROL | FSHIFT, 'Z', ID_EDIT_REDO},
                      {FCONTROL, 'Y', ID_EDIT_REDO}};
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

std::string ProgramTextOf(ProgramText text, int language, const std::vector<std::string>& details) {
    // One pass, so that a detail holding "%2" stays as it is.
    const std::string words = ProgramWords(text, language);
    std::string said;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t n = i + 1 < words.size() && words[i] == '%' ? std::size_t(words[i + 1] - '1') : 9;
        if (n < details.size()) {
            said += details[n];
            ++i;
        } else {
            said += words[i];
        }
    }
    return said;
}

std::string ProgramTextOf(ProgramText text, int language, const std::string& detail) {
    return ProgramTextOf(text, language, std::vector<std::string>{detail});
}

std::string FileFilterOf(std::initializer_list<ProgramText> types, int language) {
    std::string filter;
    for (ProgramText type : types) {
        const std::string name = ProgramWords(type, language);
        const std::size_t open = name.rfind('(');
        filter += name + "|" + name.substr(open + 1, name.size() - open - 2) + "|";
    }
    return filter + QuimbleFrameworkTexts(language).allFiles + "|*.*||";
}
