// The file services on the system's wide-character calls, so that every name a
// stick can hold is listed, tested and deleted as it is. Paths are handed to
// the system in their extended form ("\\?\E:\...", "\\?\UNC\server\share\..."):
// that lifts the 260-character limit and keeps names the ordinary form would
// bend (trailing dots or blanks, device names such as "aux.exe") intact.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Services.h"

namespace tavlo::platform::win32 {

// The extended form of a path: "/" read as "\", "." and ".." resolved without
// touching the names themselves; a relative path is completed by the system.
// Paths already in a "\\?\" or "\\.\" form pass unchanged.
std::wstring extendedPath(const std::string& path);

class Win32FileSystem : public FileSystem {
public:
    DriveType driveType(const std::string& root) override;
    std::optional<std::vector<DirEntry>> list(const std::string& folder) override;
    // As the system's file search: a name with wildcards counts when any
    // normal file matches it.
    bool existsNormal(const std::string& path) override;
    bool existsFolder(const std::string& path) override;
    bool resetAttributes(const std::string& path) override;
    bool remove(const std::string& path) override;
    std::string lastError() override;
    std::string systemFolder() override;
    std::string programFolder() override;
    std::string currentFolder() override;
    std::string fullPath(const std::string& path) override;
    std::vector<std::string> drives() override;

private:
    bool failed();  // keeps the system's error code of the call that just failed
    std::uint32_t lastError_ = 0;
};

// The text the system gives for an error code, without its line end.
std::string errorText(std::uint32_t code);

}  // namespace tavlo::platform::win32
