#pragma once
// Where programs keep what they need between runs that is no document and no setting (XDG base
// directories): $XDG_STATE_HOME when it is an absolute path, else ~/.local/state. Nothing is created.

#include <string>

std::string StateFolder();
