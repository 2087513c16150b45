#pragma once
// Pictures written as PNG files. The encoding is the platform's; the caller hands over its pixels.

#include "platform/WinTypes.h"

class CFile;

// Writes a 24-bit picture of width x height, its rows stored bottom-up as blue, green, red and stride
// bytes apart, into file as a PNG file. FALSE, with nothing written, when there is no picture to encode;
// file errors pass on as CFileException.
BOOL WritePng24(CFile* file, const BYTE* bottomRow, int width, int height, DWORD stride);
