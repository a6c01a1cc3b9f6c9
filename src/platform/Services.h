// The system services the program calls, one interface each. The Win32 build
// implements them on the real system (platform/win32); tests use fakes that
// record every call (platform/fake). Texts are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavlo::platform {

using Handle = std::uintptr_t;

// The answers of the system's drive-type query.
enum class DriveType { Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

// File attribute bits as the system reports them.
enum Attribute : std::uint32_t {
    AttrReadOnly = 0x1, AttrHidden = 0x2, AttrSystem = 0x4, AttrDirectory = 0x10,
    AttrArchive = 0x20, AttrNormal = 0x80, AttrReparsePoint = 0x400
};

struct DirEntry {
    std::string name;        // the name alone
    std::uint64_t size = 0;  // bytes; 0 for folders
    std::uint32_t attributes = 0;
    bool isFolder() const { return attributes & AttrDirectory; }
    // A junction or symbolic link: never followed by a walk.
    bool isLink() const { return attributes & AttrReparsePoint; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The type of the drive whose root is given as "E:" or "E:\".
    virtual DriveType driveType(const std::string& root) = 0;
    // The entries of a folder (without "." and ".."), or nothing when the
    // folder cannot be read (gone, not a folder, access refused).
    virtual std::optional<std::vector<DirEntry>> list(const std::string& folder) = 0;
    // Whether a file is found by a search for normal files: a hidden or
    // system file, or a folder, counts as missing.
    virtual bool existsNormal(const std::string& path) = 0;
    virtual bool existsFolder(const std::string& path) = 0;
    // Both return false when the system refused; lastError() then tells why.
    virtual bool resetAttributes(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual std::string lastError() = 0;
    // The system folder without a trailing "\".
    virtual std::string systemFolder() = 0;
    // The folder of the running program.
    virtual std::string programFolder() = 0;
    // The process's current folder (where folder lists start).
    virtual std::string currentFolder() = 0;
    // A typed path completed as the system completes it: "/" read as "\",
    // relative to the current folder ("sub") or to a drive's current folder
    // ("C:sub"), "." and ".." resolved, trailing blanks and dots of the last
    // name dropped. "" when the system cannot complete it.
    virtual std::string fullPath(const std::string& path) = 0;
    // The letters of the drives present, as "c:", "e:".
    virtual std::vector<std::string> drives() = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    static constexpr std::uint32_t LocalMachine = 0x80000002u;
    // The system's status codes: 0 on success.
    virtual long open(std::uint32_t hive, const std::string& subKey, std::uint32_t access, Handle& key) = 0;
    virtual long setString(Handle key, const std::string& name, const std::string& value) = 0;
    virtual long close(Handle key) = 0;
};

class Http {
public:
    virtual ~Http() = default;
    // One plain GET of a full URL: the body of a 2xx answer that carries one,
    // or nothing when there was no connection, any other status, no body, or
    // no answer within the time. The program's windows may go on taking
    // events while it waits, a new request among them.
    virtual std::optional<std::string> get(const std::string& url, int timeoutMs) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web page in the browser (verb "Open"); a box the shell shows
    // (no browser, no association) belongs to the owner window.
    virtual void open(Handle owner, const std::string& url) = 0;
};

// The notification-area icon record (NOTIFYICONDATA).
struct TrayIconData {
    Handle hWnd = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    Handle icon = 0;
    std::string tip;  // at most 63 characters reach the system
};

class Tray {
public:
    virtual ~Tray() = default;
    enum Message { Add = 0, Modify = 1, Delete = 2 };
    virtual bool notify(Message message, const TrayIconData& data) = 0;
};

struct Point { int x = 0, y = 0; };

// Window services of user32 applied to real window handles.
class Windows {
public:
    virtual ~Windows() = default;
    // SetWindowPos with no move and no size; after -1 topmost, -2 not topmost.
    virtual bool setWindowPos(Handle hWnd, Handle insertAfter, int x, int y, int cx, int cy, unsigned flags) = 0;
    virtual Handle setParent(Handle child, Handle parent) = 0;
    virtual long getWindowLong(Handle hWnd, int index) = 0;
    virtual long setWindowLong(Handle hWnd, int index, long value) = 0;
    virtual bool setLayeredAttributes(Handle hWnd, std::uint32_t colorKey, int alpha, std::uint32_t flags) = 0;
    virtual bool releaseCapture() = 0;
    // SendMessageA: with WM_NCLBUTTONDOWN and HTCAPTION the system's move loop runs.
    virtual long sendMessage(Handle hWnd, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual Point cursorPos() = 0;
    // Shows the window's system menu at a screen point; returns when it closes.
    virtual void trackSystemMenu(Handle hWnd, Point at) = 0;
    // RegisterWindowMessageA: the number of a message named system-wide (the
    // shell's "TaskbarCreated"); 0 where the system offers none.
    virtual unsigned registerMessage(const std::string& name) { (void)name; return 0; }
};

class Process {
public:
    virtual ~Process() = default;
    // Ends the process at once; no window's unload runs.
    [[noreturn]] virtual void end(int code) = 0;
};

// Which ODBC driver the store reaches its databases with: empty for the
// Access driver of the Windows installation, or the name of another driver
// (the SQLite3 driver here), taken from the environment.
class Environment {
public:
    virtual ~Environment() = default;
    virtual std::string variable(const std::string& name) = 0;
    // The file's path as the ODBC driver must be given it (under Wine, the
    // host's path of a Windows path).
    virtual std::string driverPath(const std::string& windowsPath) = 0;
};

// All services, as one bundle the program carries.
struct Services {
    FileSystem& files;
    Registry& registry;
    Http& http;
    Shell& shell;
    Tray& tray;
    Windows& windows;
    Process& process;
    Environment& env;
};

}  // namespace tavlo::platform
