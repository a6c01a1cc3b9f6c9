// Looks at a running Tavlo.exe from outside, for the scan benchmark:
//   bench_probe ready SECONDS              waits until the main window is up
//   bench_probe memory                     prints Tavlo's private bytes and working set
//   bench_probe plug LETTER FOLDER SECONDS plugs FOLDER as a removable drive (through
//                                          bench_plugdrive.exe beside this program) and times
//                                          the scan pass that follows
//   bench_probe scan PATH SECONDS          types PATH into the Scan page's path box,
//                                          clicks Scan and times the pass
//   bench_probe unplug LETTER              pulls the drive again
// A pass has ended when the path box, disabled while a pass runs, is enabled
// again and the status panel shows a new "Risky Objects found: " line. The
// controls are found by their class and their place in their window.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTwipsPerPixel = 15;  // 96 DPI
constexpr wchar_t kStatusPrefix[] = L"Risky Objects found: ";

struct Place {
    const wchar_t* cls;
    int leftTwips, topTwips;
};
// The Scan page's path box (txtPath1) on the main window, the page picture
// (picScan, the one with the results grid) with its counters, the status panel (picCncMsg) with its label.
constexpr Place kPathBox{L"Edit", 3960, 1485};
constexpr Place kScanPicture{L"TavloPicture", 2760, 2280};
constexpr Place kCountLabel{L"TavloLabel", 6120, 60};
constexpr Place kInfectedLabel{L"TavloLabel", 3840, 60};
constexpr Place kStatusPanel{L"TavloPicture", 120, 5820};
constexpr Place kStatusLabel{L"TavloLabel", 60, 60};
constexpr int kScanButtonX = 9480 + 855 / 2, kScanButtonY = 1440 + 375 / 2;

std::wstring classOf(HWND h) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

std::wstring textOf(HWND h) {
    wchar_t text[512] = {};
    if (h) GetWindowTextW(h, text, 512);
    return text;
}

std::string narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
    return s;
}

bool placedAt(HWND child, HWND parent, const Place& p) {
    if (_wcsicmp(classOf(child).c_str(), p.cls) != 0) return false;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return std::abs(r.left - p.leftTwips / kTwipsPerPixel) <= 1 && std::abs(r.top - p.topTwips / kTwipsPerPixel) <= 1;
}

HWND childOfClass(HWND parent, const wchar_t* cls) {
    for (HWND c = parent ? GetWindow(parent, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (classOf(c) == cls) return c;
    }
    return nullptr;
}

// The child at the place; with `holding`, the one that holds a window of that class.
HWND childAt(HWND parent, const Place& p, const wchar_t* holding = nullptr) {
    for (HWND c = parent ? GetWindow(parent, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (placedAt(c, parent, p) && (!holding || childOfClass(c, holding))) return c;
    }
    return nullptr;
}

struct MainWindow {
    HWND form = nullptr, path = nullptr, count = nullptr, infected = nullptr, status = nullptr;
    bool valid() const { return form && IsWindow(form) && IsWindow(path); }
};

BOOL CALLBACK findPathBox(HWND h, LPARAM out) {
    HWND parent = GetParent(h);
    if (parent && classOf(parent) == L"TavloForm" && placedAt(h, parent, kPathBox)) {
        *reinterpret_cast<HWND*>(out) = h;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK searchTopLevel(HWND h, LPARAM out) {
    if (classOf(h) != L"TavloForm") return TRUE;
    EnumChildWindows(h, findPathBox, out);
    return *reinterpret_cast<HWND*>(out) == nullptr;
}

MainWindow findMainWindow() {
    MainWindow w;
    EnumWindows(searchTopLevel, reinterpret_cast<LPARAM>(&w.path));
    if (!w.path) return w;
    w.form = GetParent(w.path);
    HWND scan = childAt(w.form, kScanPicture, L"TavloGrid");  // the other pages lie at the same place
    w.count = childAt(scan, kCountLabel);
    w.infected = childAt(scan, kInfectedLabel);
    w.status = childAt(childAt(w.form, kStatusPanel), kStatusLabel);
    return w;
}

double now() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

MainWindow waitMainWindow(double seconds) {
    const double end = now() + seconds;
    for (;;) {
        MainWindow w = findMainWindow();
        if (w.valid() || now() > end) return w;
        Sleep(100);
    }
}

bool isStatusLine(const std::wstring& s) { return s.rfind(kStatusPrefix, 0) == 0; }

// Waits for a pass: the path box disabled, then enabled with a new status line.
// Returns the seconds from `start` to the end of the pass, or -1.
double waitPass(MainWindow& w, const std::wstring& statusBefore, double start, double seconds) {
    bool started = false;
    double enabledAt = 0;
    for (;;) {
        const double t = now();
        if (t - start > seconds) return -1;
        if (!w.valid()) {
            w = findMainWindow();
            if (!w.valid()) {
                Sleep(10);
                continue;
            }
        }
        const bool enabled = IsWindowEnabled(w.path);
        if (!enabled) {
            started = true;
            enabledAt = 0;
        } else if (started) {
            if (!enabledAt) enabledAt = t;
            const std::wstring status = textOf(w.status);
            if (isStatusLine(status) && (status != statusBefore || t - enabledAt > 2)) return t - start;
        }
        Sleep(10);
    }
}

int reportPass(MainWindow& w, double seconds) {
    if (seconds < 0) {
        std::printf("pass: timed out\n");
        return 1;
    }
    Sleep(300);  // the counters reach their windows at the next paint
    std::printf("pass: seconds %.3f scanned %s infected %s status \"%s\"\n", seconds, narrow(textOf(w.count)).c_str(),
                narrow(textOf(w.infected)).c_str(), narrow(textOf(w.status)).c_str());
    return 0;
}

// Runs bench_plugdrive.exe (beside this program) with the given arguments.
bool plugdrive(const std::string& args) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "bench_plugdrive.exe";
    std::string line = "\"" + exe + "\" " + args;
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "bench_probe: cannot start %s\n", exe.c_str());
        return false;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code == 0;
}

int plug(const char* letter, const char* folder, double seconds) {
    MainWindow w = waitMainWindow(seconds);
    const std::wstring before = textOf(w.status);
    if (!plugdrive(std::string(letter) + " \"" + folder + "\"")) return 1;
    const double start = now();
    return reportPass(w, waitPass(w, before, start, seconds));
}

// Types the path (the box raises its change) and clicks the Scan button's middle.
int scan(const char* path, double seconds) {
    MainWindow w = waitMainWindow(seconds);
    if (!w.valid()) return 1;
    std::wstring wide;
    for (const char* p = path; *p; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    SendMessageW(w.path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    POINT at{kScanButtonX / kTwipsPerPixel, kScanButtonY / kTwipsPerPixel};
    ClientToScreen(w.form, &at);
    HWND target = WindowFromPoint(at);
    ScreenToClient(target, &at);
    const std::wstring before = textOf(w.status);
    const double start = now();
    PostMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    return reportPass(w, waitPass(w, before, start, seconds));
}

int memory() {
    MainWindow w = findMainWindow();
    DWORD pid = 0;
    if (!w.valid() || !GetWindowThreadProcessId(w.form, &pid)) return 1;
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    const bool ok = p && GetProcessMemoryInfo(p, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    if (p) CloseHandle(p);
    if (!ok) return 1;
    // Windows gives the commit charge in both fields; Wine fills only
    // PagefileUsage for another process.
    const SIZE_T priv = m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
    std::printf("memory: private %lu working %lu\n", static_cast<unsigned long>(priv),
                static_cast<unsigned long>(m.WorkingSetSize));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "ready" && argc == 3) return waitMainWindow(std::atof(argv[2])).valid() ? 0 : 1;
    if (cmd == "memory" && argc == 2) return memory();
    if (cmd == "plug" && argc == 5) return plug(argv[2], argv[3], std::atof(argv[4]));
    if (cmd == "scan" && argc == 4) return scan(argv[2], std::atof(argv[3]));
    if (cmd == "unplug" && argc == 3) return plugdrive(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: see the head of bench/win32/probe.cpp\n");
    return 2;
}
