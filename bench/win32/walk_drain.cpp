// Reference for the scan benchmark: the walk in a program with a window. After
// every examined file it drains the message queue once (PeekMessage and
// Dispatch until empty); a label with the count of examined files is
// repainted at most every 30 ms.
//   bench_walk_drain R:\     prints "drain walk: examined N risky N seconds S"
#include <string>

#include "TreeWalk.h"

namespace {

constexpr ULONGLONG kPaintInterval = 30;

LRESULT CALLBACK frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcW(h, msg, wp, lp);
}

void drain() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_walk_drain FOLDER\n");
        return 2;
    }
    HINSTANCE self = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = self;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = L"BenchDrainWalk";
    RegisterClassW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, L"Drain walk", WS_OVERLAPPEDWINDOW, 100, 100, 400, 120,
                                 nullptr, nullptr, self, nullptr);
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, 200, 20, frame, nullptr, self,
                                 nullptr);
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    drain();

    bench::Totals totals;
    ULONGLONG lastPaint = 0;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    bench::walk(bench::rootOf(argv[1]), totals, [&](const bench::Totals& t) {
        drain();
        const ULONGLONG now = GetTickCount64();
        if (now - lastPaint >= kPaintInterval) {
            lastPaint = now;
            SetWindowTextW(label, std::to_wstring(t.examined).c_str());
            UpdateWindow(label);
        }
    });
    bench::report("drain walk", totals, bench::secondsSince(start));
    DestroyWindow(frame);
    return 0;
}
