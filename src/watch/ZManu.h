// The hidden form zManu: it is never shown and exists to own the tray menu
// mnuPop and the exit trigger txtExit, whose every change ends the program.
#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class ZManu : public rt::Form {
public:
    ZManu();

    void ShowMainFromMenu();
    void ConfirmExitFromMenu();
    // The global exit: unloads the windows, takes the icon out of the tray
    // and ends the process. It does not return.
    void ShutDownProgram();

    // Asks whether to shut the program down; true on Yes.
    static bool AskExitQuestion();
    static constexpr const char* kExitQuestion = "It will shut down Tavlo.\r\n** Your PC will be unprotected **";

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

ZManu& zManu();

}  // namespace tavlo::watch
