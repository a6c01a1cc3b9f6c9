#include "platform/fake/FakeServices.h"

#include <algorithm>
#include <cctype>

namespace tavlo::platform::fake {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string trimSlash(std::string s) {
    while (s.size() > 3 && s.back() == '\\') s.pop_back();
    if (s.size() == 2 && s[1] == ':') s += '\\';
    return s;
}

std::string parentOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    if (cut == std::string::npos) return {};
    return trimSlash(path.substr(0, cut + 1));
}

std::string leafOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string FakeFileSystem::key(const std::string& path) { return lower(trimSlash(path)); }

FakeFileSystem::Node* FakeFileSystem::node(const std::string& path) {
    auto it = nodes_.find(key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::node(const std::string& path) const {
    auto it = nodes_.find(key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

// Adding a path adds the folders above it that are missing.
void FakeFileSystem::addNode(const std::string& path, Node n) {
    n.path = trimSlash(path);
    const std::string parent = parentOf(n.path);
    if (parent.size() > 3 && parent != n.path && !node(parent)) addFolder(parent);
    nodes_.insert_or_assign(key(n.path), std::move(n));
}

void FakeFileSystem::addFolder(const std::string& path, std::uint32_t attributes) {
    Node n;
    n.attributes = attributes | AttrDirectory;
    addNode(path, n);
}

void FakeFileSystem::addFile(const std::string& path, std::uint64_t size, std::uint32_t attributes) {
    Node n;
    n.size = size;
    n.attributes = attributes & ~AttrDirectory;
    addNode(path, n);
}

void FakeFileSystem::addLink(const std::string& path, const std::string& target) {
    Node n;
    n.attributes = AttrDirectory | AttrReparsePoint;
    n.linkTarget = target;
    addNode(path, n);
}

void FakeFileSystem::setDrive(char letter, DriveType type) { drives_[std::toupper(letter)] = type; }
void FakeFileSystem::removeDrive(char letter) { drives_.erase(std::toupper(letter)); }

void FakeFileSystem::setUnreadable(const std::string& folder, bool unreadable) {
    if (auto* n = node(folder)) n->unreadable = unreadable;
}

void FakeFileSystem::setUndeletable(const std::string& path, bool undeletable) {
    if (auto* n = node(path)) n->undeletable = undeletable;
}

bool FakeFileSystem::exists(const std::string& path) const { return node(path) != nullptr; }

std::uint32_t FakeFileSystem::attributes(const std::string& path) const {
    auto* n = node(path);
    return n ? n->attributes : 0;
}

DriveType FakeFileSystem::driveType(const std::string& root) {
    calls.push_back("driveType " + root);
    if (root.empty()) return DriveType::NoRootDir;
    auto it = drives_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(root[0]))));
    return it == drives_.end() ? DriveType::NoRootDir : it->second;
}

// A path on a drive letter that is not present (C: always is): a pulled
// stick's files are gone for every file service, as on the real system.
bool FakeFileSystem::onMissingDrive(const std::string& path) const {
    if (path.size() < 2 || path[1] != ':') return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    return letter != 'C' && drives_.find(letter) == drives_.end();
}

// A folder lists while its drive is present; a removed drive's files vanish
// from every later listing, as a pulled stick's do.
std::optional<std::vector<DirEntry>> FakeFileSystem::list(const std::string& folder) {
    calls.push_back("list " + folder);
    std::string path = trimSlash(folder);
    if (onMissingDrive(path)) return std::nullopt;
    const Node* n = node(path);
    const bool root = path.size() == 3 && path[1] == ':';
    if (!root && (!n || !(n->attributes & AttrDirectory))) return std::nullopt;
    if (n && n->unreadable) return std::nullopt;
    if (n && !n->linkTarget.empty()) path = trimSlash(n->linkTarget);
    const std::string prefix = key(path) + (key(path).back() == '\\' ? "" : "\\");
    std::vector<DirEntry> entries;
    for (auto& [k, child] : nodes_) {
        if (k.size() <= prefix.size() || k.compare(0, prefix.size(), prefix) != 0) continue;
        if (k.find('\\', prefix.size()) != std::string::npos) continue;
        entries.push_back(DirEntry{leafOf(child.path), child.size, child.attributes});
    }
    return entries;
}

bool FakeFileSystem::existsNormal(const std::string& path) {
    calls.push_back("existsNormal " + path);
    if (onMissingDrive(path)) return false;
    const Node* n = node(path);
    return n && !(n->attributes & (AttrDirectory | AttrHidden | AttrSystem));
}

bool FakeFileSystem::existsFolder(const std::string& path) {
    const Node* n = node(path);
    const std::string p = trimSlash(path);
    if (p.size() == 3 && p[1] == ':') return driveType(p) > DriveType::NoRootDir;
    if (onMissingDrive(p)) return false;
    return n && (n->attributes & AttrDirectory);
}

bool FakeFileSystem::resetAttributes(const std::string& path) {
    calls.push_back("resetAttributes " + path);
    Node* n = onMissingDrive(path) ? nullptr : node(path);
    if (!n) {
        lastError_ = "File not found";
        return false;
    }
    n->attributes = n->attributes & AttrDirectory ? AttrDirectory : AttrNormal;
    return true;
}

bool FakeFileSystem::remove(const std::string& path) {
    calls.push_back("remove " + path);
    Node* n = onMissingDrive(path) ? nullptr : node(path);
    if (!n || (n->attributes & AttrDirectory)) {
        lastError_ = "File not found";
        return false;
    }
    if (n->undeletable || (n->attributes & AttrReadOnly)) {
        lastError_ = "Permission denied";
        return false;
    }
    nodes_.erase(key(path));
    return true;
}

namespace {

// Where the system's completion of a path starts: the root that ".." never
// leaves and the text below it. A drive path's root is "C:\", a network
// path's "\\server\share", and the "\\?\" or "\\.\" prefix is a root of its
// own. A relative path goes below the current folder (the only drive with a
// current folder of its own is the current folder's). False for a network
// path without its share, which the system leaves as it is.
bool splitRoot(const std::string& path, const std::string& current, std::string& root, std::string& rest) {
    if (path.rfind("\\\\?\\", 0) == 0 || path.rfind("\\\\.\\", 0) == 0) {
        root = path.substr(0, 4);
        rest = path.substr(4);
        return true;
    }
    if (path.rfind("\\\\", 0) == 0) {
        const std::size_t server = path.find('\\', 2);
        if (server == std::string::npos || server + 1 == path.size()) return false;
        const std::size_t share = std::min(path.find('\\', server + 1), path.size());
        root = path.substr(0, share);
        rest = path.substr(std::min(share + 1, path.size()));
        return true;
    }
    const bool drive = path.size() >= 2 && path[1] == ':';
    const bool sameDrive = drive && std::tolower(static_cast<unsigned char>(path[0])) ==
                                        std::tolower(static_cast<unsigned char>(current[0]));
    if (drive && path.size() > 2 && path[2] == '\\') {
        root = path.substr(0, 3);
        rest = path.substr(3);
    } else if (drive) {
        root = sameDrive ? current.substr(0, 3) : path.substr(0, 2) + "\\";
        rest = (sameDrive ? current.substr(3) + "\\" : "") + path.substr(2);
    } else {
        root = current.substr(0, 3);
        rest = path[0] == '\\' ? path.substr(1) : current.substr(3) + "\\" + path;
    }
    return true;
}

}  // namespace

// The system's completion of a typed path, as Wine's GetFullPathNameW does
// it: "/" read as "\", empty names and "." dropped, ".." going up but never
// above the root, trailing blanks and dots of the last name dropped unless a
// "\" ends the path, which stays.
std::string FakeFileSystem::fullPath(const std::string& typed) {
    std::string path = typed;
    std::replace(path.begin(), path.end(), '/', '\\');
    std::string root, rest;
    if (path.empty() || !splitRoot(path, currentFolder_, root, rest)) return path;
    const bool endsInSeparator = path.back() == '\\';
    std::vector<std::string> parts;
    for (std::size_t start = 0; start <= rest.size();) {
        std::size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    if (!parts.empty() && !endsInSeparator) {
        std::string& last = parts.back();
        while (!last.empty() && (last.back() == ' ' || last.back() == '.')) last.pop_back();
        if (last.empty()) parts.pop_back();
    }
    std::string out = root;
    for (const std::string& part : parts) out += (out.back() == '\\' ? "" : "\\") + part;
    if (endsInSeparator && out.back() != '\\') out += '\\';
    return out;
}

std::vector<std::string> FakeFileSystem::drives() {
    std::vector<std::string> all{"c:"};
    for (auto& [letter, type] : drives_) {
        if (letter != 'C') all.push_back(std::string(1, static_cast<char>(std::tolower(letter))) + ":");
    }
    return all;
}

long FakeRegistry::open(std::uint32_t hive, const std::string& subKey, std::uint32_t access, Handle& key) {
    calls.push_back("open " + subKey);
    if (openResult != 0) return openResult;
    key = next_++;
    open_[key] = Open{hive, subKey, access};
    ++openKeys;
    return 0;
}

long FakeRegistry::setString(Handle key, const std::string& name, const std::string& value) {
    calls.push_back("set " + name);
    auto it = open_.find(key);
    if (it == open_.end()) return 6;  // invalid handle
    if (setResult != 0) return setResult;
    writes.push_back(Write{it->second.hive, it->second.subKey, it->second.access, name, value});
    return 0;
}

long FakeRegistry::close(Handle key) {
    calls.push_back("close");
    if (open_.erase(key) == 0) return 6;
    --openKeys;
    return 0;
}

std::optional<std::string> FakeHttp::get(const std::string& url, int timeoutMs) {
    requests.push_back(url);
    lastTimeoutMs = timeoutMs;
    auto it = replies.find(url);
    return it == replies.end() ? defaultReply : it->second;
}

bool FakeTray::notify(Message message, const TrayIconData& data) {
    calls.push_back(Call{message, data});
    if (!result) return false;
    if (message == Add) {
        if (shown) return false;
        shown = true;
    } else if (message == Delete) {
        if (!shown) return false;
        shown = false;
    } else if (!shown) {
        return false;
    }
    return true;
}

bool FakeWindows::setWindowPos(Handle hWnd, Handle insertAfter, int, int, int, int, unsigned flags) {
    record("SetWindowPos " + std::to_string(hWnd) + " " +
           std::to_string(static_cast<std::intptr_t>(insertAfter)) + " " + std::to_string(flags));
    return hWnd != 0;
}

Handle FakeWindows::setParent(Handle child, Handle parent) {
    record("SetParent " + std::to_string(child) + " " + std::to_string(parent));
    Handle previous = parents[child];
    parents[child] = parent;
    return previous;
}

long FakeWindows::getWindowLong(Handle hWnd, int index) {
    record("GetWindowLong " + std::to_string(hWnd) + " " + std::to_string(index));
    return exStyles[hWnd];
}

long FakeWindows::setWindowLong(Handle hWnd, int index, long value) {
    record("SetWindowLong " + std::to_string(hWnd) + " " + std::to_string(index) + " " +
           std::to_string(value));
    long previous = exStyles[hWnd];
    exStyles[hWnd] = value;
    return previous;
}

bool FakeWindows::setLayeredAttributes(Handle hWnd, std::uint32_t colorKey, int alpha, std::uint32_t flags) {
    record("SetLayeredWindowAttributes " + std::to_string(hWnd) + " " + std::to_string(colorKey) + " " +
           std::to_string(alpha) + " " + std::to_string(flags));
    alphas[hWnd] = alpha;
    return true;
}

bool FakeWindows::releaseCapture() {
    record("ReleaseCapture");
    return true;
}

long FakeWindows::sendMessage(Handle hWnd, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    record("SendMessage " + std::to_string(hWnd) + " " + std::to_string(message) + " " +
           std::to_string(wParam) + " " + std::to_string(lParam));
    if (onSendMessage) onSendMessage(hWnd, message);
    return 0;
}

void FakeWindows::trackSystemMenu(Handle hWnd, Point at) {
    record("TrackSystemMenu " + std::to_string(hWnd) + " " + std::to_string(at.x) + " " +
           std::to_string(at.y));
}

unsigned FakeWindows::registerMessage(const std::string& name) {
    return registered.try_emplace(name, 0xC000u + static_cast<unsigned>(registered.size())).first->second;
}

std::string FakeEnvironment::variable(const std::string& name) {
    auto it = variables.find(name);
    return it == variables.end() ? std::string{} : it->second;
}

// Maps a Windows path under a known folder to the host folder behind it.
std::string FakeEnvironment::driverPath(const std::string& windowsPath) {
    for (auto& [windowsFolder, hostFolder] : folders) {
        if (lower(windowsPath).rfind(lower(windowsFolder), 0) == 0) {
            std::string rest = windowsPath.substr(windowsFolder.size());
            std::replace(rest.begin(), rest.end(), '\\', '/');
            return hostFolder + rest;
        }
    }
    return windowsPath;
}

}  // namespace tavlo::platform::fake
