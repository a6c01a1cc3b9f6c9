// Under the null display driver a message box waits until something closes
// it: a BoxCloser waits on its own thread for the next box with the given
// title, reads its text and presses one of its buttons once ready() allows.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tavlo::rt::win32::test {

// A top-level window of this process (tests of other processes may show
// windows of the same class and title at the same time).
inline HWND findOwnWindow(const wchar_t* cls, const wchar_t* title) {
    for (HWND h = FindWindowExW(nullptr, nullptr, cls, title); h; h = FindWindowExW(nullptr, h, cls, title)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId()) return h;
    }
    return nullptr;
}

class BoxCloser {
public:
    explicit BoxCloser(std::wstring title, int button = IDOK, std::function<bool()> ready = [] { return true; })
        : title_(std::move(title)), button_(button), ready_(std::move(ready)), thread_([this] { run(); }) {}
    ~BoxCloser() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    BoxCloser(const BoxCloser&) = delete;
    BoxCloser& operator=(const BoxCloser&) = delete;

    // The text of the box it closed; empty until then.
    std::wstring text() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    void run() {
        for (int i = 0; i < 2000; ++i) {  // at most about 20 s, so a broken test cannot hang
            HWND box = findOwnWindow(L"#32770", title_.c_str());
            if (box && ready_()) {
                wchar_t buf[512] = {};
                GetDlgItemTextW(box, 0xFFFF, buf, 512);
                text_ = buf;
                PostMessageW(box, WM_COMMAND, button_, 0);
                return;
            }
            if (stop_ && !box) return;
            Sleep(10);
        }
    }

    std::wstring title_;
    int button_;
    std::function<bool()> ready_;
    std::wstring text_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tavlo::rt::win32::test
