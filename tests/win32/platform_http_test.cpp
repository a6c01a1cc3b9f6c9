// HTTP requests through WinINet against a local server, with the time bound
// checked against servers that never answer or answer too slowly.
#include "platform_http_server.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32/Win32Http.h"

namespace tavlo::platform::win32 {
namespace {

using testing::LocalHttpServer;
using Clock = std::chrono::steady_clock;

long long msSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class HttpTest : public ::testing::Test {
protected:
    // A proxy of the environment would take the local requests elsewhere.
    void SetUp() override {
        SetEnvironmentVariableW(L"http_proxy", nullptr);
        SetEnvironmentVariableW(L"HTTP_PROXY", nullptr);
    }
    Win32Http http_;
};

TEST_F(HttpTest, ReplyOf200GivesTheBodyAsReceived) {
    const std::string body = "1.4.0\r\n\xCE\xA9 \x01\xFF end";
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, body));
    EXPECT_EQ(http_.get(server.url("/version/latest.php"), 5000), body);
    ASSERT_EQ(server.requestLines().size(), 1u);
    EXPECT_EQ(server.requestLines()[0], "GET /version/latest.php HTTP/1.1");
}

TEST_F(HttpTest, LongBodyArrivesWhole) {
    std::string body;
    for (int i = 0; body.size() < 300000; ++i) body += std::to_string(i) + ",";
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, body));
    EXPECT_EQ(http_.get(server.url("/"), 5000), body);
}

TEST_F(HttpTest, StatusOtherThan200GivesNothing) {
    for (int status : {404, 500, 204}) {
        LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(status, "not this"));
        EXPECT_FALSE(http_.get(server.url("/x"), 5000).has_value()) << status;
        EXPECT_EQ(server.connections(), 1) << status;
    }
}

TEST_F(HttpTest, TextThatCannotStandInARequestLineIsEscaped) {
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "Queued"));
    EXPECT_EQ(http_.get(server.url("/reg/suggst.php?bc=0&name=Ann Lee&cmnt=\xCE\xA9<ok>&a=1"), 5000), "Queued");
    ASSERT_EQ(server.requestLines().size(), 1u);
    EXPECT_EQ(server.requestLines()[0], "GET /reg/suggst.php?bc=0&name=Ann%20Lee&cmnt=%CE%A9%3Cok%3E&a=1 HTTP/1.1");
}

TEST_F(HttpTest, NoServerOrNoUrlFailsAtOnce) {
    const int timeout = 20000;
    const auto start = Clock::now();
    EXPECT_FALSE(http_.get("http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()) + "/", timeout));
    EXPECT_FALSE(http_.get("not a url", timeout));
    EXPECT_FALSE(http_.get("ftp://127.0.0.1/file", timeout));
    EXPECT_LT(msSince(start), timeout / 2);
}

// Under Wine neither the session's receive limit nor the connect limit holds;
// the bound comes from the worker the caller stops waiting for.
TEST_F(HttpTest, ServerThatNeverAnswersGivesNothingWithinTheTime) {
    LocalHttpServer silent(LocalHttpServer::Mode::Silent);
    const int timeout = 1500;
    const auto start = Clock::now();
    EXPECT_FALSE(http_.get(silent.url("/version/latest.php"), timeout).has_value());
    const long long took = msSince(start);
    EXPECT_EQ(silent.connections(), 1);  // it did get through to the server
    EXPECT_GE(took, timeout - 100);
    EXPECT_LT(took, timeout + 1000);

    // The request left behind does not stand in the way of the next one.
    LocalHttpServer server(LocalHttpServer::Mode::Reply, LocalHttpServer::reply(200, "ok"));
    EXPECT_EQ(http_.get(server.url("/"), 5000), "ok");
}

TEST_F(HttpTest, ConnectionThatStallsGivesNothingWithinTheTime) {
    LocalHttpServer stalled(LocalHttpServer::Mode::Stalled);
    const int timeout = 1500;
    const auto start = Clock::now();
    EXPECT_FALSE(http_.get(stalled.url("/"), timeout).has_value());
    const long long took = msSince(start);
    EXPECT_GE(took, timeout - 100);
    EXPECT_LT(took, timeout + 1000);
}

// Each byte comes within any per-read limit; only a bound on the whole
// request ends this one.
TEST_F(HttpTest, ReplyThatTricklesPastTheTimeGivesNothingWithinTheTime) {
    LocalHttpServer slow(LocalHttpServer::Mode::Trickle);
    const int timeout = 1500;
    const auto start = Clock::now();
    EXPECT_FALSE(http_.get(slow.url("/"), timeout).has_value());
    const long long took = msSince(start);
    EXPECT_GE(took, timeout - 100);
    EXPECT_LT(took, timeout + 1000);
}

}  // namespace
}  // namespace tavlo::platform::win32
