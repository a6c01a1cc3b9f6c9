// Tavlo.exe: sets up the real system, the Win32 user interface and the clock,
// starts the program and runs the message loop. The program ends through its
// own exit, which ends the process.
#include <windows.h>
#include <commctrl.h>

#include "core/Program.h"
#include "platform/win32/Win32Services.h"
#include "runtime/App.h"
#include "runtime/win32/Guard.h"
#include "runtime/win32/TabKey.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"

namespace {

// Pixels are the screen's own, so twips convert at its real DPI.
void becomeDpiAware() {
    using SetAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
        if (auto set = reinterpret_cast<SetAware>(
                reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware")))) {
            set();
        }
    }
}

void initCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

int messageLoop() {
    MSG m;
    BOOL got;
    while ((got = GetMessageW(&m, nullptr, 0, 0)) > 0) {
        if (tavlo::rt::win32::takeTabKey(m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return got == 0 ? static_cast<int>(m.wParam) : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tavlo;
    becomeDpiAware();
    initCommonControls();
    auto system = platform::win32::makeWin32System();
    rt::win32::Win32Ui ui;
    rt::win32::Win32Clock clock;
    system->http.pumpWhileWaiting([&ui] { ui.doEvents(); });  // the windows answer while a request waits
    rt::AppScope scope(ui, clock, system->services);
    scope.app().version = system->version();
    rt::win32::guarded([] { core::StartProgram(); });
    return messageLoop();
}
