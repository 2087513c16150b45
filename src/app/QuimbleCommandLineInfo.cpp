#include "app/QuimbleCommandLineInfo.h"

#include "app/AppState.h"
#include <climits>
#include <cstdlib>

// atoi's rules (leading blanks, a sign, the leading digits; 0 without digits), but a number beyond the
// range of int is held at its limit instead of being undefined.
void CQuimbleCommandLineInfo::ParseParam(const char* param, BOOL, BOOL) {
    long value = std::strtol(param, nullptr, 10);
    SetLanguage(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : int(value));
}
