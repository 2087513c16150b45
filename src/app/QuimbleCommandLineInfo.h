#pragma once
// Every argument is a language number; the last one decides. Nothing else on the command line has any
// effect: a file named there is not opened.

#include "platform/CommandLineInfo.h"

class CQuimbleCommandLineInfo : public CCommandLineInfo {
public:
    void ParseParam(const char* param, BOOL flag, BOOL last) override;
};
