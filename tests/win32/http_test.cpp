// HTTP on WinINet against a local server: what arrives at the server, which
// answers are a reply, servers that never finish; and the main window's
// request through it to the server that the environment names.
#include "platform_http_server.h"

#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "platform/win32/Win32Services.h"
#include "runtime/Headless.h"

namespace tavlo::platform::win32 {
namespace {

using testing::LocalHttpServer;

// A proxy of the environment would take the local requests elsewhere.
struct HttpTest : ::testing::Test {
    void SetUp() override {
        for (const wchar_t* name : {L"http_proxy", L"HTTP_PROXY"}) SetEnvironmentVariableW(name, nullptr);
    }
    Win32Http http;
};

TEST_F(HttpTest, SuccessWithABodyIsAReplyAndAnythingElseIsNot) {
    std::string longBody;
    for (int i = 0; longBody.size() < 300000; ++i) longBody += std::to_string(i) + ",";
    const struct {
        int status;
        std::string body;
        bool reply;
    } rows[] = {{200, "1.4.0\r\n\xCE\xA9 \x01\xFF end", true}, {200, longBody, true}, {204, "", false},
                {404, "1.0.6", false}, {500, "1.0.6", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.status);
        LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(row.status, row.body));
        EXPECT_EQ(http.get(server.url("/reg/suggst.php?name=Ann Lee&cmnt=\xCE\xA9<ok>&a=1"), 5000),
                  row.reply ? std::optional(row.body) : std::nullopt);
        EXPECT_EQ(server.requestLines(),
                  std::vector<std::string>{"GET /reg/suggst.php?name=Ann%20Lee&cmnt=%CE%A9%3Cok%3E&a=1 HTTP/1.1"});
    }
}

// A request that never completes would hold the caller for good (or, for the
// trickle, for 100 s and then give the body): the time given ends it.
TEST_F(HttpTest, NoServerNoUrlOrNoCompleteAnswerGivesNothing) {
    std::string gone;
    LocalHttpServer(LocalHttpServer::Mode::Reply).url("/").swap(gone);
    for (const char* url : {gone.c_str(), "not a url", "ftp://127.0.0.1/file"}) EXPECT_FALSE(http.get(url, 0)) << url;
    for (auto mode : {LocalHttpServer::Mode::Silent, LocalHttpServer::Mode::Trickle}) {
        LocalHttpServer server(mode);
        EXPECT_FALSE(http.get(server.url("/"), 1500));
        EXPECT_EQ(server.connections(), 1);
    }
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "ok"));
    EXPECT_EQ(http.get(server.url("/"), 5000), "ok");  // the requests left behind are in no one's way
}

// The marks that would split or end a query ("#", "%", "+", "=", blanks, line
// breaks) reach the server inside their value.
TEST_F(HttpTest, SuggestionReachesTheNamedServerWithEveryKeyInOrderAndItsTextWhole) {
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "Thanks. We will send an email to your friend."));
    SetEnvironmentVariableA("TAVLO_SERVER", server.url("").c_str());
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    Win32System system;
    rt::AppScope scope{ui, clock, system.services};
    auto& w = core::frm0();
    w.load();
    w.MachineId = "0A1B2C3D";
    for (auto [field, text] : {std::pair{"lblVersion", "1.0.5"}, {"txtFrndNm", "Bob Grey"}, {"txtFrndEM", "bob@y.org"},
                               {"txtCommnt", "Try #1: 100% = a+b\r\nJos\xC3\xA9"}, {"txtName2", "Ann"},
                               {"txtmail2", "ann@x.com"}})
        w.c(field).setText(text);
    w.c("cmdSugst").click();
    SetEnvironmentVariableW(L"TAVLO_SERVER", nullptr);
    EXPECT_EQ(server.requestLines(),
              std::vector<std::string>{
                  "GET /reg/suggst.php?bc=0&name=Ann&mail=ann%40x.com&frnm=Bob%20Grey&frml=bob%40y.org&pcid=0A1B2C3D"
                  "&vrsn=1.0.5&cmnt=Try%20%231%3A%20100%25%20%3D%20a%2Bb%0D%0AJos%C3%A9&a=1 HTTP/1.1"});
    EXPECT_EQ(w.c("lblCncMsg").caption(), "Done. We will send an email to him/her.");
}

}  // namespace
}  // namespace tavlo::platform::win32
