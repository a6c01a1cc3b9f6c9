// A window object: owns its HWND and handles its messages. Windows of the
// program's own classes share one static window procedure that finds the
// object attached at WM_NCCREATE; standard controls (edit, button, combo and
// list boxes) are subclassed the same way. The object stays alive while one
// of its messages is handled, even when a handler of the model unloads its
// form.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "runtime/win32/Handles.h"

namespace tavlo::rt::win32 {

struct CreateArgs {
    const wchar_t* className = nullptr;  // a standard class; empty: the object's own
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};  // in the parent's client pixels (screen pixels when top-level)
    HWND parent = nullptr;
    HMENU id = nullptr;
};

class Window : public std::enable_shared_from_this<Window> {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_.get(); }
    // The object behind a window of the program, or nullptr.
    static Window* from(HWND hwnd);
    // The module holding the resources and window classes.
    static HINSTANCE instance();

protected:
    // Creates the window: of the given standard class, subclassed, or of the
    // program's own class named by ownClass() when className is empty.
    bool create(const CreateArgs& args);
    virtual const wchar_t* ownClass() const { return L"TavloWindow"; }
    virtual UINT classStyle() const { return CS_DBLCLKS; }
    // A message for the object: a result when handled, nothing for the default.
    virtual std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT defaultProc(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK ownProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK subclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    static LRESULT dispatch(Window* self, HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void attach(HWND h);
    void detach();
    bool registerOwnClass();

    UniqueWindow hwnd_;
    bool subclassed_ = false;
};

}  // namespace tavlo::rt::win32
