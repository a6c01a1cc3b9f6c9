// The server's base address setting, the encoding of query values and the
// exact request addresses.
#include <gtest/gtest.h>

#include "online/Server.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::online {
namespace {

struct ServerTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    void serverIs(const std::string& value) { h.sys.env.variables[kServerVariable] = value; }
};

TEST_F(ServerTest, BaseAddressComesFromTheEnvironmentWithoutTrailingSlash) {
    serverIs("http://127.0.0.1:8080/");
    EXPECT_EQ(ServerBase(), "http://127.0.0.1:8080");
    EXPECT_EQ(LatestVersionUrl(), "http://127.0.0.1:8080/version/latest.php");
}

TEST_F(ServerTest, BaseAddressIsReadOncePerProgram) {
    serverIs("http://127.0.0.1:8080");
    EXPECT_EQ(ServerBase(), "http://127.0.0.1:8080");
    serverIs("http://127.0.0.1:9090");
    EXPECT_EQ(ServerBase(), "http://127.0.0.1:8080");
}

TEST_F(ServerTest, MissingOrUnusableSettingGivesTheDefault) {
    for (const char* value : {"", "127.0.0.1:8080", "ftp://host", "http://", "  "}) {
        platform::fake::HeadlessApp fresh;
        fresh.sys.env.variables[kServerVariable] = value;
        EXPECT_EQ(ServerBase(), kDefaultServer) << value;
    }
    EXPECT_EQ(std::string(kDefaultServer).rfind("http://", 0), 0u);
}

TEST_F(ServerTest, QueryValuesKeepOnlyUnreservedCharacters) {
    EXPECT_EQ(PercentEncode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(PercentEncode("a#b%c+d=e&f?g/h i"), "a%23b%25c%2Bd%3De%26f%3Fg%2Fh%20i");
    EXPECT_EQ(PercentEncode("ann@x.com"), "ann%40x.com");
    EXPECT_EQ(PercentEncode("line 1\r\nline 2"), "line%201%0D%0Aline%202");
    EXPECT_EQ(PercentEncode("Jos\xC3\xA9"), "Jos%C3%A9");  // the UTF-8 bytes
    EXPECT_EQ(PercentEncode(""), "");
}

TEST_F(ServerTest, SuggestionUrlHasEveryKeyInOrderWithEncodedValues) {
    serverIs("http://127.0.0.1:8080");
    const Suggestion s{.name = "Ann Lee", .mail = "ann@x.com", .friendName = "Bob", .friendMail = "bob@y.org",
                       .machineId = "0A1B2C3D", .version = "1.0.5", .comment = "Try it #1: 100% = good+fast"};
    EXPECT_EQ(SuggestionUrl(s),
              "http://127.0.0.1:8080/reg/suggst.php?bc=0&name=Ann%20Lee&mail=ann%40x.com&frnm=Bob"
              "&frml=bob%40y.org&pcid=0A1B2C3D&vrsn=1.0.5&cmnt=Try%20it%20%231%3A%20100%25%20%3D%20good%2Bfast&a=1");
}

TEST_F(ServerTest, FetchAsksOnceWithTheBoundedTime) {
    h.sys.http.defaultReply = "1.0.6";
    EXPECT_EQ(Fetch("http://h/x"), "1.0.6");
    EXPECT_EQ(h.sys.http.requests, std::vector<std::string>{"http://h/x"});
    EXPECT_EQ(h.sys.http.lastTimeoutMs, kRequestTimeoutMs);
}

TEST_F(ServerTest, MachineIdentifierIsStableAndHidesTheName) {
    h.sys.env.variables["COMPUTERNAME"] = "DESK-42";
    const std::string id = MachineIdentifier();
    EXPECT_EQ(id.size(), 8u);
    EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    h.sys.env.variables["COMPUTERNAME"] = "desk-42";
    EXPECT_EQ(MachineIdentifier(), id);
    h.sys.env.variables["COMPUTERNAME"] = "DESK-43";
    EXPECT_NE(MachineIdentifier(), id);
}

}  // namespace
}  // namespace tavlo::online
