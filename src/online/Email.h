// The e-mail checks of the tell-a-friend panel: the address test with its
// findings, the test of the address's ending against the built-in list, and
// the keys an e-mail field accepts.
#pragma once

#include <string>

#include "runtime/App.h"

namespace tavlo::online {

// The findings of the last IsValidEmail call, each as CR LF and its text;
// "" when the address passed.
struct EmailChecks : rt::Module {
    std::string EmailCheckMessage;
};
std::string& EmailCheckMessage();

// True when the address passes; rewrites EmailCheckMessage.
bool IsValidEmail(const std::string& address);
// True when "." & ending (unless it starts with ".") occurs anywhere in the
// upper-cased list of known endings: a substring test, not a test of entries.
bool IsKnownDomainEnding(const std::string& ending);
// The key an e-mail field lets through: the key itself, or 0 when swallowed.
int FilterEmailKey(int keyAscii);

}  // namespace tavlo::online
