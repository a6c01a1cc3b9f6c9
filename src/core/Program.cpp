#include "core/Program.h"

#include "core/Frm0.h"
#include "core/Store.h"

namespace tavlo::core {

void StartProgram() {
    CipherKey() = kCipherKey;
    if (!EnsureConfDb()) rt::app().sys().process.end(0);
    frm0().show();
}

}  // namespace tavlo::core
