// The drive list (a drop-down of the drives present; its text is the chosen
// drive as "c:") and the folder list (the folders of its path: the path's
// own folders from the root, then its subfolders). Both take their entries
// from the system services.
#include <algorithm>
#include <vector>

#include "runtime/App.h"
#include "runtime/win32/Text.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

class ListBase : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

protected:
    bool createList(const wchar_t* cls, DWORD style, int extraHeight) {
        CreateArgs a = childArgs(WS_TABSTOP | WS_VSCROLL | style, WS_EX_CLIENTEDGE);
        a.className = cls;
        a.rect.bottom += extraHeight;
        if (!create(a)) return false;
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
        fill();
        return true;
    }
    virtual void fill() = 0;
    std::optional<LRESULT> handle(UINT, WPARAM, LPARAM) override { return std::nullopt; }
    void update(Prop prop) override {
        if (prop == Prop::Text) {
            fill();
            return;
        }
        ControlWindow::update(prop);
    }
    std::optional<LRESULT> colors(UINT msg, WPARAM wp) {
        if (msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLOREDIT) return colorReply(reinterpret_cast<HDC>(wp));
        return std::nullopt;
    }
};

class DriveListView : public ListBase {
public:
    using ListBase::ListBase;
    bool build() override { return createList(L"COMBOBOX", CBS_DROPDOWNLIST, scale().px(2400)); }

    std::optional<LRESULT> reflect(UINT msg, WPARAM wp, LPARAM) override {
        if (msg != WM_COMMAND) return colors(msg, wp);
        if (HIWORD(wp) == CBN_DROPDOWN) fill();  // sticks come and go
        if (HIWORD(wp) == CBN_SELCHANGE) chosen();
        return 0;
    }

protected:
    void fill() override {
        if (!control_) return;
        drives_ = app().sys().files.drives();
        SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
        const std::string current = lower(control_->text().substr(0, 2));
        for (size_t i = 0; i < drives_.size(); ++i) {
            SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(drives_[i]).c_str()));
            if (lower(drives_[i]) == current) SendMessageW(hwnd(), CB_SETCURSEL, i, 0);
        }
    }

private:
    void chosen() {
        const LRESULT i = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
        if (!control_ || i < 0 || static_cast<size_t>(i) >= drives_.size()) return;
        control_->setText(drives_[i]);
    }
    std::vector<std::string> drives_;
};

class FolderListView : public ListBase {
public:
    using ListBase::ListBase;
    bool build() override { return createList(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0); }

    // Every single click raises Click, on the chosen entry or not, and so
    // does a choice made with the keys; a double click opens the folder,
    // which changes the path and raises Change.
    std::optional<LRESULT> reflect(UINT msg, WPARAM wp, LPARAM) override {
        if (msg != WM_COMMAND) return colors(msg, wp);
        if (!control_) return 0;
        if (HIWORD(wp) == LBN_SELCHANGE && !mouseHeld_) control_->click();
        if (HIWORD(wp) == LBN_DBLCLK) open();
        return 0;
    }

protected:
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_LBUTTONDOWN: mouseHeld_ = true; return std::nullopt;
        case WM_LBUTTONDBLCLK: mouseHeld_ = false; return std::nullopt;
        case WM_LBUTTONUP: {
            const bool clicked = mouseHeld_;
            const LRESULT r = defaultProc(msg, wp, lp);
            mouseHeld_ = false;
            if (clicked && control_) control_->click();
            return r;
        }
        default: return std::nullopt;
        }
    }

    void fill() override {
        if (!control_) return;
        paths_.clear();
        SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
        const std::string path = control_->text();
        if (path.empty()) return;
        addOwnFolders(path);
        addSubfolders(path);
    }

private:
    void add(const std::string& label, const std::string& full, int depth) {
        const std::wstring shown = std::wstring(static_cast<size_t>(depth) * 2, L' ') + widen(label);
        SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        paths_.push_back(full);
    }

    // "C:\a\b" shows "C:\", "a", "b", the last one chosen.
    void addOwnFolders(const std::string& path) {
        std::string sofar;
        size_t start = 0;
        int depth = 0;
        while (start < path.size()) {
            size_t end = path.find('\\', start);
            if (end == std::string::npos) end = path.size();
            const std::string part = path.substr(start, end - start);
            if (!part.empty()) {
                sofar = depth == 0 ? part + "\\" : (sofar.back() == '\\' ? sofar : sofar + "\\") + part;
                add(depth == 0 ? sofar : part, sofar, depth);
                ++depth;
            }
            start = end + 1;
        }
        depth_ = depth;
        SendMessageW(hwnd(), LB_SETCURSEL, paths_.size() - 1, 0);
    }

    void addSubfolders(const std::string& path) {
        auto entries = app().sys().files.list(path);
        if (!entries) return;
        std::vector<std::string> names;
        for (auto& e : *entries) {
            if (e.isFolder()) names.push_back(e.name);
        }
        std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return lower(a) < lower(b); });
        const std::string base = path.back() == '\\' ? path : path + "\\";
        for (auto& n : names) add(n, base + n, depth_);
    }

    void open() {
        const LRESULT i = SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
        if (i < 0 || static_cast<size_t>(i) >= paths_.size()) return;
        control_->setText(paths_[i]);
    }

    std::vector<std::string> paths_;
    int depth_ = 0;
    bool mouseHeld_ = false;  // a click in progress raises Click on release
};

}  // namespace

ViewPtr makeDriveListView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<DriveListView>(f, c, control);
}

ViewPtr makeFolderListView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<FolderListView>(f, c, control);
}

}  // namespace tavlo::rt::win32
