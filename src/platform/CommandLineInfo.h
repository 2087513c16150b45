#pragma once
// The program's arguments, handed one by one to a parser the application supplies. One leading switch
// marker ("-" or "/") is removed before the parser sees an argument and is reported as the flag.

#include "platform/WinTypes.h"
#include <string>
#include <vector>

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    // Called for every argument in order; last is set for the final one.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last) = 0;

    void ParseArguments(const std::vector<std::string>& arguments);

protected:
    // The argument being parsed as it was given, switch marker and all (an absolute path starts with "/").
    const std::string& GetArgument() const { return m_argument; }

private:
    std::string m_argument;
};
