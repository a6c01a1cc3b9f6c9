// Placeholder until the store lands: nothing opens.
#include "core/Store.h"

namespace tavlo::core {

std::string& CipherKey() {
    static std::string key;
    return key;
}
void OpenConfDb() {}
void OpenIgnoreDb() {}
bool ConfDbOpen() { return false; }
bool IgnoreDbOpen() { return false; }
bool EnsureConfDb() { return false; }
bool EnsureIgnoreDb() { return false; }
void SaveConf(const std::string&, const std::string&, const std::string&) {}
std::string GetConf(const std::string&, const std::string&) { return {}; }
bool GetMarker(const std::string&, std::string&) { return false; }
void AddMarker(const std::string&, const std::string&) {}
std::string EncodeValue(const std::string& text, const std::string&) { return text; }
std::string DecodeValue(const std::string& text, const std::string&) { return text; }
std::string StripSpecialChars(std::string& text) { return text; }
bool IgnoreListHas(const std::string&) { return false; }
void IgnoreListAdd(const std::string&) {}
std::vector<IgnoreRow> IgnoreListRows() { return {}; }
bool IgnoreListRemove(long) { return false; }

}  // namespace tavlo::core
