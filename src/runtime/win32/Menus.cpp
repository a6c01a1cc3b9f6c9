#include "runtime/win32/Menus.h"

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win32/Handles.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

namespace {

class MenuBuilder {
public:
    explicit MenuBuilder(Form& form) : form_(form) {}

    UniqueMenu build(const std::string& menu, int depth = 0) {
        UniqueMenu popup(CreatePopupMenu());
        for (auto& c : form_.controls()) {
            if (c->kind() != Kind::Menu || c->containerName() != menu || !c->visible()) continue;
            add(popup.get(), *c, depth);
        }
        return popup;
    }
    // The item names by command id (id = index + 1).
    const std::vector<std::string>& names() const { return names_; }

private:
    void add(HMENU popup, const Control& item, int depth) {
        if (item.caption() == "-") {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            return;
        }
        const UINT state = (item.enabled() ? 0 : MF_GRAYED) | (item.value() ? MF_CHECKED : 0);
        const std::wstring text = widen(item.caption());
        if (depth < 8 && hasItems(item.name())) {
            UniqueMenu sub = build(item.name(), depth + 1);
            if (AppendMenuW(popup, MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub.get()), text.c_str())) {
                sub.release();  // the parent menu owns it now
            }
            return;
        }
        names_.push_back(item.name());
        AppendMenuW(popup, MF_STRING | state, names_.size(), text.c_str());
    }
    bool hasItems(const std::string& name) const {
        for (auto& c : form_.controls()) {
            if (c->kind() == Kind::Menu && c->containerName() == name) return true;
        }
        return false;
    }

    Form& form_;
    std::vector<std::string> names_;
};

}  // namespace

// The menu's items belong to the menu's own form, which may be another form
// than the one showing it. The menu's loop may run timers that unload that
// form: the chosen item is looked up again by name before it is clicked.
// While a box holds the owner no menu opens: the owner would take the
// keyboard from the box.
void showPopupMenu(Form& form, Control& menu) {
    Form& holder = menu.form();
    HWND owner = reinterpret_cast<HWND>(form.hWnd());
    if (!owner) owner = reinterpret_cast<HWND>(holder.hWnd());
    if (!owner || !IsWindowEnabled(owner)) return;
    MenuBuilder builder(holder);
    UniqueMenu popup = builder.build(menu.name());
    if (!popup) return;
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(owner);
    const UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
    const int chosen = TrackPopupMenu(popup.get(), flags, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    const auto& names = builder.names();
    if (chosen <= 0 || static_cast<size_t>(chosen) > names.size()) return;
    if (holder.loaded() && holder.has(names[chosen - 1])) holder.c(names[chosen - 1]).click();
}

}  // namespace tavlo::rt::win32
