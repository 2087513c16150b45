#include "platform/CommandLineInfo.h"

void CCommandLineInfo::ParseArguments(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = m_argument = arguments[i];
        BOOL flag = !arg.empty() && (arg[0] == '-' || arg[0] == '/');
        ParseParam(arg.c_str() + (flag ? 1 : 0), flag, i + 1 == arguments.size());
    }
}
