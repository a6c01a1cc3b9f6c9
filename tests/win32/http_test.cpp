// HTTP on WinINet against a local server: what arrives at the server, which
// answers are a reply, and servers that never finish; and the main window,
// which goes on answering while its requests wait.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "WineHost.h"
#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "platform/win32/Win32Http.h"
#include "runtime/Timer.h"
#include "watch/ZManu.h"

namespace tavlo::platform::win32 {
namespace {

// The socket calls, from ws2_32.dll: the program itself makes none, so its
// build does not link them.
struct Winsock {
#define TAVLO_WINSOCK(X) \
    X(WSAStartup) X(socket) X(bind) X(listen) X(getsockname) X(accept) X(recv) X(send) X(closesocket) X(select)
#define TAVLO_MEMBER(name) decltype(&::name) name = load<decltype(&::name)>(#name);
    HMODULE library = LoadLibraryW(L"ws2_32.dll");
    template <class Fn>
    Fn load(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
    TAVLO_WINSOCK(TAVLO_MEMBER)
#undef TAVLO_MEMBER
#undef TAVLO_WINSOCK
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

const Winsock ws;

std::string reply(int status, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

// A server on 127.0.0.1 for one request: it answers with the reply, after
// holding it for holdMs, or accepts and never answers (an empty reply), or
// sends the headers of a 1000-byte body and then the body a byte every 100 ms
// (trickle). It counts the connections made to it until its end.
class LocalServer {
public:
    explicit LocalServer(std::string response, bool trickle = false, int holdMs = 0)
        : response_(std::move(response)), holdMs_(holdMs) {
        sockaddr_in address{AF_INET, 0, {.S_un = {.S_addr = 0x0100007F}}};  // any port
        int length = sizeof address;
        ws.bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ws.listen(listener_, 8);
        ws.getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        url = "http://127.0.0.1:" + std::to_string((address.sin_port >> 8) | ((address.sin_port & 0xFF) << 8));
        thread_ = std::thread([this, trickle] { serve(trickle); });
    }
    ~LocalServer() {
        stop_ = true;
        thread_.join();
        ws.closesocket(listener_);
    }
    std::string requestLine() {
        std::lock_guard lock(mutex_);
        return requestLine_;
    }
    std::string url;
    std::atomic<int> connections{0};
    std::atomic<bool> answered{false};

private:
    bool readable(SOCKET s) {  // within 50 ms
        fd_set set{1, {s}};
        timeval wait{0, 50000};
        return !stop_ && ws.select(0, &set, nullptr, nullptr, &wait) == 1;
    }
    void serve(bool trickle) {
        while (!readable(listener_)) {
            if (stop_) return;
        }
        const SOCKET client = ws.accept(listener_, nullptr, nullptr);
        ++connections;
        std::string request;
        char buffer[1024];
        for (int n = 1; !stop_ && !response_.empty() && n > 0 && request.find("\r\n\r\n") == std::string::npos;)
            if (readable(client) && (n = ws.recv(client, buffer, sizeof buffer, 0)) > 0) request.append(buffer, n);
        {
            std::lock_guard lock(mutex_);
            requestLine_ = request.substr(0, request.find("\r\n"));
        }
        for (int waited = 0; waited < holdMs_ && !stop_; waited += 50) countOthers();
        if (trickle) response_.resize(response_.size() - 1000);  // the headers alone
        ws.send(client, response_.data(), static_cast<int>(response_.size()), 0);
        answered = true;
        for (int i = 0; trickle && i < 1000 && !stop_ && ws.send(client, "x", 1, 0) == 1; ++i) Sleep(100);
        while (response_.empty() && !stop_) Sleep(10);
        ws.closesocket(client);
        while (!stop_) countOthers();
    }
    void countOthers() {  // within 50 ms
        if (!readable(listener_)) return;
        ws.closesocket(ws.accept(listener_, nullptr, nullptr));
        ++connections;
    }

    std::string response_;
    const int holdMs_;
    SOCKET listener_ = ws.socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::string requestLine_;
    std::thread thread_;
};

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
    } rows[] = {{200, "1.4.0\r\n\xCE\xA9 \x01\xFF end", true}, {200, longBody, true}, {201, "1.0.6", true},
                {299, "1.0.6", true}, {200, "", false}, {204, "", false}, {300, "1.0.6", false},
                {404, "1.0.6", false}, {500, "1.0.6", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.status);
        LocalServer server(reply(row.status, row.body));
        EXPECT_EQ(http.get(server.url + "/reg/suggst.php?name=Ann Lee&cmnt=\xCE\xA9<ok>&a=1", 5000),
                  row.reply ? std::optional(row.body) : std::nullopt);
        EXPECT_EQ(server.requestLine(), "GET /reg/suggst.php?name=Ann%20Lee&cmnt=%CE%A9%3Cok%3E&a=1 HTTP/1.1");
    }
}

// A request that never completes would hold the caller for good (or, for the
// trickle, for 100 s and then give the body): the time given ends it.
TEST_F(HttpTest, NoServerNoUrlOrNoCompleteAnswerGivesNothing) {
    const std::string gone = LocalServer("-").url + "/";
    for (const std::string& url : {gone, std::string("not a url"), std::string("ftp://127.0.0.1/file")})
        EXPECT_FALSE(http.get(url, 0)) << url;
    for (bool trickle : {false, true}) {
        LocalServer server(trickle ? reply(200, std::string(1000, 'x')) : "", trickle);
        EXPECT_FALSE(http.get(server.url + "/", 1500));
        EXPECT_EQ(server.connections, 1);
    }
    LocalServer server(reply(200, "ok"));
    EXPECT_EQ(http.get(server.url + "/", 5000), "ok");  // the requests left behind are in no one's way
}

}  // namespace
}  // namespace tavlo::platform::win32

namespace tavlo::rt::win32::test {
namespace {

using platform::win32::LocalServer;

// The main window on the real user interface, its requests going to a local
// server that holds its answer for 3 s, and waiting with the interface's
// yield, as the program wires them.
struct WaitingWindowTest : Win32Test {
    WaitingWindowTest() {
        for (const wchar_t* name : {L"http_proxy", L"HTTP_PROXY"}) SetEnvironmentVariableW(name, nullptr);
        SetEnvironmentVariableW(L"TAVLO_SERVER", platform::win32::widen(server.url).c_str());
        sys->http.pumpWhileWaiting([this] { ui.doEvents(); });
        core::frmSplash().ConfigurationLoaded = True;  // its unload would ask, with a box nobody answers
        core::frm0().show();
        stopAllTimers();  // the settings load stays out of these tests
        pump();
    }
    ~WaitingWindowTest() override { SetEnvironmentVariableW(L"TAVLO_SERVER", nullptr); }
    static HWND of(const std::string& name) { return hwnd(core::frm0().c(name).hWnd()); }

    // What another thread sees once the request has reached the server (and
    // the window has been rebuilt, when a test asks for that): whether the
    // main window answers a sent message within 500 ms, the status text asked
    // and as painted, and the connections and the status text after a second
    // click on `again`, while the server still holds its answer.
    struct Seen {
        bool answered = false;
        std::wstring status, painted;
        int connections = 0;
        bool held = false;
        std::wstring after;
        bool operator==(const Seen&) const = default;
        friend void PrintTo(const Seen& s, std::ostream* os) {
            using platform::win32::narrow;
            *os << s.answered << " '" << narrow(s.status) << "' '" << narrow(s.painted) << "' " << s.connections
                << " " << s.held << " '" << narrow(s.after) << "'";
        }
    };
    static std::wstring textOf(HWND window) {
        wchar_t text[64] = {};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 500, &result);
        return text;
    }
    Seen watchWhileWaiting(const char* again) {
        Seen seen;
        for (int i = 0; i < 300 && (server.connections == 0 || !rebuilt); ++i) Sleep(10);
        const HWND status = of("lblCncMsg"), button = of(again);
        DWORD_PTR result = 0;
        seen.answered = SendMessageTimeoutW(hwnd(core::frm0().hWnd()), WM_NULL, 0, 0, SMTO_NORMAL, 500, &result);
        seen.status = textOf(status);
        wchar_t text[64] = {};
        for (int i = 0; i < 50 && seen.painted != seen.status; ++i, Sleep(10)) {
            InternalGetWindowText(status, text, 64);  // the system's copy, which the paint brings up to date
            seen.painted = text;
        }
        SendMessageTimeoutW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0, SMTO_NORMAL, 500, &result);
        SendMessageTimeoutW(button, WM_LBUTTONUP, 0, 0, SMTO_NORMAL, 500, &result);
        Sleep(300);  // time for a second request to arrive
        seen.connections = server.connections;
        seen.held = !server.answered;
        seen.after = textOf(of("lblCncMsg"));
        return seen;
    }
    Seen clickAndWatch(const char* name, const char* again = nullptr) {
        Seen seen;
        std::thread watcher([&] { seen = watchWhileWaiting(again ? again : name); });
        core::frm0().c(name).click();
        watcher.join();
        return seen;
    }

    void fillSuggestPanel() {
        const std::pair<const char*, const char*> fields[] = {{"txtFrndNm", "Bob"}, {"txtFrndEM", "bob@y.org"},
            {"txtCommnt", "hi"}, {"txtName2", "Ann"}, {"txtmail2", "a@x.com"}};
        for (const auto& [name, text] : fields) core::frm0().c(name).setText(text);
        core::frm0().ShowSuggestPanel();
    }
    // Once the request waits, the main window is unloaded and loaded again,
    // as a pulled stick does, before the watcher goes on.
    void rebuildWhileWaiting() {
        rebuilt = false;
        form().timer("tmrA").onTimer = [this] {
            if (server.connections == 0) return;
            core::frm0().unload();
            core::frm0().show();
            stopAllTimers();
            rebuilt = true;
        };
        form().timer("tmrA").setEnabled(true);
    }

    LocalServer server{platform::win32::reply(200, "1.0.6"), false, 3000};
    std::atomic<bool> rebuilt{true};
};

TEST_F(WaitingWindowTest, WindowAnswersAndPaintsWhileTheVersionCheckWaits) {
    const std::wstring checking = L"Checking for new version...";
    EXPECT_EQ(clickAndWatch("lblLUpdt0"), (Seen{true, checking, checking, 1, true, checking}));
    EXPECT_EQ(core::frm0().c("lblCncMsg").caption(), "Version Update : Available 1.0.6");
}

TEST_F(WaitingWindowTest, WindowAnswersAndPaintsWhileTheTellAFriendRequestWaits) {
    fillSuggestPanel();
    const std::wstring connecting = L"Connecting...";
    EXPECT_EQ(clickAndWatch("cmdSugst"), (Seen{true, connecting, connecting, 1, true, connecting}));
}

// A click of the other kind while a request waits, or a second check after
// the main window was loaded again (its load clears the busy flags), starts
// nothing: no second connection, and the status keeps the first request's
// text until its own reply.
struct SecondRequest {
    const char* first;
    const char* second;
    bool rebuild;
    const wchar_t* waiting;
    const char* replied;
    friend void PrintTo(const SecondRequest& r, std::ostream* os) { *os << r.first << " then " << r.second; }
};
struct OneRequestAtATimeTest : WaitingWindowTest, ::testing::WithParamInterface<SecondRequest> {};

TEST_P(OneRequestAtATimeTest, SecondClickWhileARequestWaitsStartsNothing) {
    const SecondRequest& row = GetParam();
    fillSuggestPanel();
    if (row.rebuild) rebuildWhileWaiting();
    const Seen seen = clickAndWatch(row.first, row.second);
    EXPECT_EQ(std::tuple(seen.status, seen.connections, seen.held, seen.after),
              std::tuple(std::wstring(row.waiting), 1, true, std::wstring(row.waiting)));
    EXPECT_EQ(core::frm0().c("lblCncMsg").caption(), row.replied);
}

INSTANTIATE_TEST_SUITE_P(
    EitherKind, OneRequestAtATimeTest,
    ::testing::Values(
        SecondRequest{"lblLUpdt0", "cmdSugst", false, L"Checking for new version...", "Version Update : Available 1.0.6"},
        SecondRequest{"cmdSugst", "lblLUpdt0", false, L"Connecting...", "Please Try Later"},
        SecondRequest{"lblLUpdt0", "lblLUpdt0", true, L"", "Version Update : Available 1.0.6"}));

// "Shut Down Dravix" from the tray menu, answered Yes, while the check waits:
// the windows go and the process ends at once, with 0.
TEST_F(WaitingWindowTest, ExitWhileTheVersionCheckWaitsEndsTheProcess) {
    EXPECT_EXIT(
        {
            form().timer("tmrA").onTimer = [this] {
                if (server.connections == 0) return;
                form().timer("tmrA").setEnabled(false);
                watch::zManu().c("mnuExit").click();
            };
            form().timer("tmrA").setEnabled(true);
            BoxCloser yes(L"Tavlo", IDYES);
            core::frm0().c("lblLUpdt0").click();
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tavlo::rt::win32::test
