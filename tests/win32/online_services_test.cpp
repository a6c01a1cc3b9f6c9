// The version check and the tell-a-friend request through WinINet against a
// local HTTP server: what arrives at the server, what the windows show, and a
// server that never answers. The windows run headless; the transfer, the
// environment that names the server and the notice's timers are real or
// driven by the test's clock.
#include "platform_http_server.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/Frm0.h"
#include "online/FrmPopUp.h"
#include "online/Server.h"
#include "platform/win32/Win32Services.h"
#include "runtime/Headless.h"

namespace tavlo::online {
namespace {

using platform::win32::testing::LocalHttpServer;
using Clock = std::chrono::steady_clock;

// Pages the program would open in the browser, kept instead.
class KeptPages : public platform::Shell {
public:
    void open(platform::Handle, const std::string& url) override { opened.push_back(url); }
    std::vector<std::string> opened;
};

// The value of a query key in a request line, with its %XX escapes undone.
std::string queryValue(const std::string& requestLine, const std::string& key) {
    const auto start = requestLine.find("&" + key + "=");
    if (start == std::string::npos) return "<missing>";
    std::string value;
    for (auto i = start + key.size() + 2; i < requestLine.size() && requestLine[i] != '&' && requestLine[i] != ' ';
         ++i) {
        if (requestLine[i] == '%' && i + 2 < requestLine.size()) {
            value += static_cast<char>(std::stoi(requestLine.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            value += requestLine[i];
        }
    }
    return value;
}

class OnlineServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"http_proxy", nullptr);
        SetEnvironmentVariableW(L"HTTP_PROXY", nullptr);
        scope.app().version = {1, 0, 5};
    }
    void TearDown() override { SetEnvironmentVariableW(L"TAVLO_SERVER", nullptr); }

    // The server the program talks to, named through the environment as a user would.
    void useServer(const LocalHttpServer& server) {
        SetEnvironmentVariableA("TAVLO_SERVER", server.url("").c_str());
        w.load();
        for (auto& control : w.controls()) {
            if (auto* t = dynamic_cast<rt::Timer*>(control.get())) t->setEnabled(false);
        }
    }
    rt::Control& c(const std::string& name) { return w.c(name); }

    rt::HeadlessUi ui;
    rt::ManualClock clock;
    platform::win32::Win32System system;
    KeptPages pages;
    platform::Services services{system.files, system.registry, system.http,    pages,
                                system.tray,  system.windows,  system.process, system.env};
    rt::AppScope scope{ui, clock, services};
    core::Frm0& w = core::frm0();
};

TEST_F(OnlineServicesTest, NewerVersionShowsTheNoticeAndTheStatus) {
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "1.0.6"));
    useServer(server);
    c("lblLUpdt0").click();
    EXPECT_EQ(server.requestLines(), std::vector<std::string>{"GET /version/latest.php HTTP/1.1"});
    EXPECT_EQ(c("lblCncMsg").caption(), "Version Update : Available 1.0.6");
    EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.6");
    EXPECT_TRUE(frmPopUp().loaded() && frmPopUp().visible());
    EXPECT_EQ(w.VersionCheckBusy, rt::False);
    clock.advance(12000);
    EXPECT_FALSE(frmPopUp().loaded());
}

TEST_F(OnlineServicesTest, ErrorStatusEndsTheCheckLikeAnEmptyReply) {
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(404, "1.0.6"));
    useServer(server);
    c("lblLUpdt0").click();
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(c("lblCncMsg").caption(), "");
    EXPECT_FALSE(frmPopUp().loaded());
    EXPECT_EQ(w.VersionCheckBusy, rt::False);
    EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
}

// The marks that would split or end a query ("#", "%", "+", "=", blanks, line
// breaks) reach the server inside their value.
TEST_F(OnlineServicesTest, SuggestionArrivesWithEveryKeyInOrderAndItsTextWhole) {
    LocalHttpServer server(LocalHttpServer::Mode::Reply,
                           LocalHttpServer::reply(200, "Thanks. We will send an email to your friend."));
    useServer(server);
    w.MachineId = "0A1B2C3D";
    c("lblVersion").setCaption("1.0.5");
    c("txtFrndNm").setText("Bob Grey");
    c("txtFrndEM").setText("bob@y.org");
    c("txtCommnt").setText("Try #1: 100% = a+b\r\nJos\xC3\xA9");
    c("txtName2").setText("Ann");
    c("txtmail2").setText("ann@x.com");
    c("cmdSugst").click();
    ASSERT_EQ(server.requestLines().size(), 1u);
    const std::string line = server.requestLines()[0];
    EXPECT_EQ(line,
              "GET /reg/suggst.php?bc=0&name=Ann&mail=ann%40x.com&frnm=Bob%20Grey&frml=bob%40y.org&pcid=0A1B2C3D"
              "&vrsn=1.0.5&cmnt=Try%20%231%3A%20100%25%20%3D%20a%2Bb%0D%0AJos%C3%A9&a=1 HTTP/1.1");
    EXPECT_EQ(queryValue(line, "cmnt"), "Try #1: 100% = a+b\r\nJos\xC3\xA9");
    EXPECT_EQ(c("lblCncMsg").caption(), "Done. We will send an email to him/her.");
    EXPECT_TRUE(c("cmdSugst").enabled());
    EXPECT_EQ(w.SuggestBusy, rt::False);
}

TEST_F(OnlineServicesTest, ServerThatNeverAnswersEndsTheCheckWithinTheBoundAndTavloGoesOn) {
    LocalHttpServer silent(LocalHttpServer::Mode::Silent);
    useServer(silent);
    scope.app().module<ServerSettings>().requestTimeoutMs = 1500;
    const auto start = Clock::now();
    c("lblLUpdt0").click();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_EQ(silent.connections(), 1);
    EXPECT_LT(took, 1500 + 1000);
    EXPECT_EQ(w.VersionCheckBusy, rt::False);
    EXPECT_EQ(c("lblCncMsg").caption(), "");
    EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);

    LocalHttpServer answering(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "1.0.5"));
    scope.app().module<ServerSettings>().base = answering.url("");
    c("lblLUpdt0").click();
    EXPECT_EQ(c("lblCncMsg").caption(), "Version Update : Up to date");
}

}  // namespace
}  // namespace tavlo::online
