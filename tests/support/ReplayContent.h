#pragma once
// The content folders of the recorded editing run: a few small pictures drawn here, so that the run
// depends on nothing the resource tool chooses to put into the real folders. Each folder holds pictures
// "i<Name>.bmp" in the order the thumb strip lists them, some with an 8-bit coverage companion
// "a<Name>.bmp", some see-through where they are white; one is a 256-colour picture.

#include <string>

// Writes the folders bckgnds, textblbs, chars and props into the data folder res (made as needed). False
// when a file cannot be written.
bool WriteReplayContent(const std::string& res);
