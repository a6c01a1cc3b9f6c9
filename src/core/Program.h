// The program's start: what runs once the services and the app exist.
#pragma once

namespace tavlo::core {

// Loads and shows the start-up window; the message loop then drives the rest.
void StartProgram();

}  // namespace tavlo::core
