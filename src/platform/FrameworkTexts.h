#pragma once
// The texts the framework shows of its own accord: the question before closing a changed document, the
// name of a document that has none yet, the captions of the file dialogs and their all-files filter, and
// the buttons of message boxes that Qt names otherwise.
// The application hands them over in its language together with the locale whose translations Qt's
// standard dialogs (file, font, colour, print, the buttons of message boxes) then use. Until it does,
// they are the framework's English texts and Qt's own.

#include <string>

struct FRAMEWORKTEXTS {
    // The locale of Qt's translations, as "de" or "nl"; empty leaves Qt's own texts.
    std::string locale;
    // %1 stands for the document's title.
    std::string saveChanges = "Save changes to %1?";
    std::string untitled = "Untitled";
    std::string openCaption = "Open";
    std::string saveAsCaption = "Save As";
    // The name shown for the all-files filter, pattern included.
    std::string allFiles = "All Files (*.*)";
    // Buttons of message boxes where Qt's texts say something else.
    std::string dontSave = "Don't Save";
    std::string restore = "Restore";
    std::string discard = "Discard";
};
