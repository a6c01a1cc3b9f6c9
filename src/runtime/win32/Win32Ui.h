// The model's user interface on Win32: a real window per loaded form, the
// system's message boxes, an input box, the message loop's yield, modal
// forms, pop-up menus and the exe's artwork.
#pragma once

#include <memory>
#include <vector>

#include "runtime/App.h"
#include "runtime/win32/Context.h"
#include "runtime/win32/Window.h"

namespace tavlo::rt::win32 {

class FormWindow;

class Win32Ui : public Ui {
public:
    Win32Ui();
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    void attach(Form& form) override;
    void detach(Form& form) override;
    int msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;
    void doEvents() override;
    void runModal(Form& form) override;
    void popupMenu(Form& form, Control& menu) override;
    Picture loadPicture(const std::string& resource) override;
    Twips screenWidth() override;
    Twips screenHeight() override;
    void setScreenPointer(int pointer) override;
    Extent textSize(const Font& font, const std::string& text) override;

    UiContext& context() { return ctx_; }
    // Keeps the windows of an unloaded form until the message loop destroys them.
    void bury(std::shared_ptr<FormWindow> form);

private:
    class Host;
    void destroyBuried();

    UiContext ctx_;
    std::unique_ptr<Host> host_;
    std::vector<std::shared_ptr<FormWindow>> buried_;
};

}  // namespace tavlo::rt::win32
