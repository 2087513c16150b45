#pragma once
// Every argument is a language number, the last one deciding, except one that names a layered picture
// (it ends in ".qmf", exactly so): the program loads that picture once it has started, as Open would.
// Nothing else on the command line has any effect.

#include "platform/CommandLineInfo.h"
#include <string>

class CQuimbleCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* param, BOOL flag, BOOL last) override;

    // The layered picture to load at start (the last one named), or empty.
    std::string m_strFileName;
};
