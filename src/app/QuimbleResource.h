#pragma once
// The program's resources in each of its languages: resource 128 (the document string, the main menu and
// the keyboard shortcuts), the framework's own texts, the captions of the program's dialogs, the
// message of a missing data folder and the name of the pictures' filter. Every language number not French,
// English or German gets the Dutch ones.

#include "app/ProgramTexts.h"
#include "platform/FrameworkTexts.h"
#include "platform/SingleDocTemplate.h"
#include <initializer_list>
#include <string>
#include <vector>

// File, New: clears the picture.
constexpr UINT ID_NEW_PICTURE = 32772;
// File, Export: writes the picture as a flat PNG or BMP file.
constexpr UINT ID_FILE_EXPORT = 32773;
// File, Add Pictures: copies pictures into the user's folder of the content the thumb strip shows.
constexpr UINT ID_ADD_PICTURES = 32777;
// Edit, Undo and Redo: a step back and forth through the changes of the picture.
constexpr UINT ID_EDIT_UNDO = 32775;
constexpr UINT ID_EDIT_REDO = 32776;

// The templates of the dialogs with a caption.
constexpr UINT IDD_TEXT = 130;
constexpr UINT IDD_INFO = 131;

DOCRESOURCE QuimbleDocResource(int language);
FRAMEWORKTEXTS QuimbleFrameworkTexts(int language);
// The caption of dialog template IDD_TEXT or IDD_INFO; empty for any other.
const char* DialogCaption(UINT dialog, int language);
// The message when the data folder is nowhere; %1 stands for the places looked in.
const char* NoDataFolderText(int language);
// The name of the pictures' filter in the Add Pictures dialog.
const char* PicturesFilterName(int language);

// The words of text in the language, each %n replaced by the nth of details (%1 the first).
std::string ProgramTextOf(ProgramText text, int language, const std::vector<std::string>& details);
std::string ProgramTextOf(ProgramText text, int language, const std::string& detail = {});
// A file dialog's filter of the file types named (each a ProgramText ...FileType) and all files.
std::string FileFilterOf(std::initializer_list<ProgramText> types, int language);
