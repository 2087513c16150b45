#pragma once
// Resource 128 of the program: the document string, the main menu and the keyboard shortcuts.

#include "platform/SingleDocTemplate.h"

// File, New: clears the picture.
constexpr UINT ID_NEW_PICTURE = 32772;

DOCRESOURCE QuimbleDocResource();
