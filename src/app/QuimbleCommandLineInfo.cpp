#include "app/QuimbleCommandLineInfo.h"

#include "app/AppState.h"
#include "platform/FullPath.h"
#include <climits>
#include <cstdlib>

// A picture is named as given: "/home/me/p.qmf" is a path, not a switch. Numbers follow atoi's rules
// (leading blanks, a sign, the leading digits; 0 without digits), but a number beyond the range of int
// is held at its limit instead of being undefined.
void CQuimbleCommandLineInfo::ParseParam(const char* param, BOOL, BOOL) {
    if (SplitPath(GetArgument()).extension == ".qmf") {
        m_strFileName = GetArgument();
        return;
    }
    long value = std::strtol(param, nullptr, 10);
    SetLanguage(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : int(value));
}
