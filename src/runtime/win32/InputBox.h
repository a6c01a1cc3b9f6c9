// The input box: a prompt, a text field holding the initial text, OK and
// Cancel. Enter means OK, Escape and the close box mean Cancel.
#pragma once

#include <optional>
#include <string>

#include "runtime/win32/Scale.h"
#include "runtime/win32/Window.h"

namespace tavlo::rt::win32 {

class InputBox : public Window {
public:
    InputBox(const Scale& scale, std::string prompt, std::string title, std::string initial);
    // Shows the box and returns the typed text, or nothing when cancelled.
    std::optional<std::string> run();

    static constexpr int kEditId = 100;

protected:
    const wchar_t* ownClass() const override { return L"TavloInputBox"; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void buildParts();
    HWND part(const wchar_t* cls, const std::string& text, DWORD style, RECT twips, int id);
    void finish(bool ok);

    Scale scale_;
    std::string prompt_, title_, initial_;
    UniqueFont font_;
    std::optional<std::string> answer_;
    bool done_ = false;
};

}  // namespace tavlo::rt::win32
