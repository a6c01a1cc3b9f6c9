#include "core/ZStrtup.h"

namespace tavlo::core {

namespace {
constexpr long kErrorInvalidParameter = 87;
}

ZStrtup& zStrtup() { return rt::app().instance<ZStrtup>(); }

ZStrtup::ZStrtup() : Form("zStrtup") {}

rt::FormDesign ZStrtup::formDesign() {
    rt::FormDesign d;
    d.caption = "Add to Windows Startup";
    d.showInTaskbar = false;
    return d;
}

void ZStrtup::buildControls() {
    add({.kind = rt::Kind::TextBox, .name = "txtStrtup", .left = 120, .top = 120, .width = 1215, .height = 285,
         .text = "Text1", .visible = false})
        .onChange = [this] { ApplyStartupEntry(); };
    add({.kind = rt::Kind::Button, .name = "cmdShow", .left = 120, .top = 480, .width = 1575, .height = 375,
         .text = "Show at start up", .visible = false})
        .onClick = [this] { AddStartupEntry(kValueName); };
}

void ZStrtup::ApplyStartupEntry() { c("cmdShow").click(); }

// The data is the program's folder and the value name, with one "\" between
// them (a drive root already ends with one), without quotes.
void ZStrtup::AddStartupEntry(const std::string& valueName) {
    const std::string folder = rt::app().sys().files.programFolder();
    const bool rooted = !folder.empty() && folder.back() == '\\';
    const std::string data = rooted ? folder + valueName : folder + "\\" + valueName;
    WriteRegValue(platform::Registry::LocalMachine, kRunKey, valueName, data, kRegSz);
}

// A key that does not open (missing, or no rights to it) is left alone.
void ZStrtup::WriteRegValue(std::uint32_t root, const std::string& subKey, const std::string& valueName,
                            const std::string& value, long type) {
    auto& registry = rt::app().sys().registry;
    platform::Handle key = 0;
    if (registry.open(root, subKey, kAccess, key) != 0) return;
    SetRegValue(key, valueName, type, value);
    registry.close(key);
}

long ZStrtup::SetRegValue(rt::Handle key, const std::string& valueName, long type, const std::string& value) {
    if (type != kRegSz) return kErrorInvalidParameter;
    return rt::app().sys().registry.setString(key, valueName, value);
}

}  // namespace tavlo::core
