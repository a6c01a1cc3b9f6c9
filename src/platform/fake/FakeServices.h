// Fakes of the system services: an in-memory file system with drives, and
// recorders for the registry, HTTP, the shell, the tray, window calls and the
// process end. Tests set them up and read back what the program asked.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace tavlo::platform::fake {

// Thrown where the real process would end.
struct ProgramEnded : std::exception {
    explicit ProgramEnded(int c) : code(c) {}
    int code;
    const char* what() const noexcept override { return "program ended"; }
};

class FakeFileSystem : public FileSystem {
public:
    // Paths are Windows paths ("E:\a\b.exe"); letter case does not matter.
    void addFolder(const std::string& path, std::uint32_t attributes = AttrDirectory);
    void addFile(const std::string& path, std::uint64_t size = 0, std::uint32_t attributes = AttrArchive);
    // A junction: listed as a folder with the reparse-point attribute, and
    // listing it lists the target.
    void addLink(const std::string& path, const std::string& target);
    void setDrive(char letter, DriveType type);
    void removeDrive(char letter);
    void setUnreadable(const std::string& folder, bool unreadable = true);
    void setUndeletable(const std::string& path, bool undeletable = true);
    bool exists(const std::string& path) const;
    std::uint32_t attributes(const std::string& path) const;

    DriveType driveType(const std::string& root) override;
    std::optional<std::vector<DirEntry>> list(const std::string& folder) override;
    bool existsNormal(const std::string& path) override;
    bool existsFolder(const std::string& path) override;
    bool resetAttributes(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string lastError() override { return lastError_; }
    std::string systemFolder() override { return systemFolder_; }
    std::string programFolder() override { return programFolder_; }
    std::string currentFolder() override { return currentFolder_; }
    std::string fullPath(const std::string& path) override;
    std::vector<std::string> drives() override;

    std::string systemFolder_ = "C:\\WINDOWS\\system32";
    std::string programFolder_ = "C:\\Program Files\\Tavlo";
    std::string currentFolder_ = "C:\\";
    std::vector<std::string> calls;  // "list E:\", "remove E:\a.exe", ...

private:
    struct Node {
        std::string path;  // as given
        std::uint64_t size = 0;
        std::uint32_t attributes = 0;
        std::string linkTarget;
        bool unreadable = false;
        bool undeletable = false;
    };
    static std::string key(const std::string& path);
    bool onMissingDrive(const std::string& path) const;
    Node* node(const std::string& path);
    const Node* node(const std::string& path) const;
    void addNode(const std::string& path, Node n);
    std::map<std::string, Node> nodes_;
    std::map<char, DriveType> drives_;
    std::string lastError_;
};

class FakeRegistry : public Registry {
public:
    long open(std::uint32_t hive, const std::string& subKey, std::uint32_t access, Handle& key) override;
    long setString(Handle key, const std::string& name, const std::string& value) override;
    long close(Handle key) override;

    long openResult = 0;  // 5: access denied
    long setResult = 0;
    struct Write { std::uint32_t hive; std::string subKey; std::uint32_t access; std::string name, value; };
    std::vector<Write> writes;
    std::vector<std::string> calls;
    int openKeys = 0;

private:
    struct Open { std::uint32_t hive; std::string subKey; std::uint32_t access; };
    std::map<Handle, Open> open_;
    Handle next_ = 0x100;
};

class FakeHttp : public Http {
public:
    std::optional<std::string> get(const std::string& url, int timeoutMs) override;
    std::map<std::string, std::optional<std::string>> replies;  // by full URL
    std::optional<std::string> defaultReply;                    // for other URLs
    std::vector<std::string> requests;
    int lastTimeoutMs = 0;
};

class FakeShell : public Shell {
public:
    void open(Handle owner, const std::string& url) override {
        owners.push_back(owner);
        opened.push_back(url);
    }
    std::vector<std::string> opened;
    std::vector<Handle> owners;  // the owner window of each page opened
};

class FakeTray : public Tray {
public:
    bool notify(Message message, const TrayIconData& data) override;
    bool result = true;
    struct Call { Message message; TrayIconData data; };
    std::vector<Call> calls;
    bool shown = false;  // an icon is in the tray
};

class FakeWindows : public Windows {
public:
    bool setWindowPos(Handle hWnd, Handle insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    Handle setParent(Handle child, Handle parent) override;
    long getWindowLong(Handle hWnd, int index) override;
    long setWindowLong(Handle hWnd, int index, long value) override;
    bool setLayeredAttributes(Handle hWnd, std::uint32_t colorKey, int alpha, std::uint32_t flags) override;
    bool releaseCapture() override;
    long sendMessage(Handle hWnd, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    Point cursorPos() override { return cursor; }
    void trackSystemMenu(Handle hWnd, Point at) override;
    // Numbers from 0xC000 on, one per name, as the system hands them out.
    unsigned registerMessage(const std::string& name) override;

    Point cursor{100, 200};
    // Runs inside SendMessage, as the system's move loop runs while the
    // button is held: a test looks at the program's state at that moment.
    std::function<void(Handle hWnd, unsigned message)> onSendMessage;
    std::map<std::string, unsigned> registered;
    std::vector<std::string> calls;  // "SetWindowPos 12 -1 3", "SetParent 12 34", ...
    std::map<Handle, Handle> parents;
    std::map<Handle, long> exStyles;
    std::map<Handle, int> alphas;
    // Runs after each call is recorded: a test throws from it to make that call fail.
    std::function<void(const std::string& call)> onCall;

private:
    void record(const std::string& call) {
        calls.push_back(call);
        if (onCall) onCall(call);
    }
};

class FakeProcess : public Process {
public:
    [[noreturn]] void end(int code) override { throw ProgramEnded(code); }
};

class FakeEnvironment : public Environment {
public:
    std::string variable(const std::string& name) override;
    std::string driverPath(const std::string& windowsPath) override;
    std::map<std::string, std::string> variables;
    // Windows folder prefix -> host folder, for the database files of tests.
    std::map<std::string, std::string> folders;
};

// One of each fake, bundled as the program's services.
struct FakeSystem {
    FakeFileSystem files;
    FakeRegistry registry;
    FakeHttp http;
    FakeShell shell;
    FakeTray tray;
    FakeWindows windows;
    FakeProcess process;
    FakeEnvironment env;
    Services services{files, registry, http, shell, tray, windows, process, env};
};

}  // namespace tavlo::platform::fake
