#pragma once
// What the layer strip shows beside a layer's thumbnail.

#include <string>

// The file name of the picture at path, without folder and extension, read as words: dashes and
// underscores become spaces, and the "i" the content pictures' names start with (their alpha companions
// start with "a") is left out; a picture of the user's own keeps its whole name.
std::string PictureLabel(const std::string& path, bool ownPicture);
// The label of a text layer: the start of its text on one line, "..." when there is more.
std::string TextLabel(const std::string& text);
