// A small HTTP server on 127.0.0.1 (an ephemeral port) for the HTTP tests: it
// answers with a fixed reply, or accepts and never answers, or sends its
// headers and then trickles the body one byte at a time, or lets connections
// stall (it never accepts, and its queue is full, so new ones get no answer).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/UniqueHandle.h"

namespace tavlo::platform::win32::testing {

// The socket calls, taken from ws2_32.dll when first needed: the program
// itself makes no socket calls, so its build does not link them.
struct Winsock {
#define TAVLO_WINSOCK_CALLS(X)                                                                                   \
    X(WSAStartup) X(WSACleanup) X(socket) X(bind) X(listen) X(getsockname) X(accept) X(connect) X(recv) X(send) \
        X(shutdown) X(closesocket) X(select) X(ioctlsocket)
#define TAVLO_WINSOCK_MEMBER(name) decltype(&::name) name = load<decltype(&::name)>(#name);
    HMODULE library = LoadLibraryW(L"ws2_32.dll");
    template <class Fn>
    Fn load(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
    TAVLO_WINSOCK_CALLS(TAVLO_WINSOCK_MEMBER)
#undef TAVLO_WINSOCK_MEMBER
#undef TAVLO_WINSOCK_CALLS
};

inline const Winsock& ws() {
    static const Winsock calls;  // the library stays loaded for the test program's life
    return calls;
}

inline u_short netShort(u_short v) { return static_cast<u_short>((v << 8) | (v >> 8)); }
inline u_long loopbackAddress() { return 0x0100007F; }  // 127.0.0.1 in network order

struct SocketTraits {
    using type = SOCKET;
    static type invalid() { return INVALID_SOCKET; }
    static void close(type s) { ws().closesocket(s); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

class LocalHttpServer {
public:
    enum class Mode { Reply, Silent, Trickle, Stalled };

    static std::string reply(int status, const std::string& body) {
        return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    explicit LocalHttpServer(Mode mode, std::string response = {}) : mode_(mode), response_(std::move(response)) {
        WSADATA data;
        ws().WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = listenOnLoopback(port_, mode == Mode::Stalled ? 0 : 8);
        if (mode == Mode::Stalled) fillQueue();
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        listener_.reset();
        ws().WSACleanup();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int connections() const { return connections_; }
    std::vector<std::string> requestLines() {
        std::lock_guard lock(mutex_);
        return requestLines_;
    }

    // A port on which nothing listens (it was just given back).
    static int closedPort() {
        WSADATA data;
        ws().WSAStartup(MAKEWORD(2, 2), &data);
        int port = 0;
        listenOnLoopback(port).reset();
        ws().WSACleanup();
        return port;
    }

private:
    static UniqueSocket listenOnLoopback(int& port, int backlog = 8) {
        UniqueSocket s(ws().socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = loopbackAddress();
        int length = sizeof address;
        if (ws().bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ws().listen(s.get(), backlog) != 0 ||
            ws().getsockname(s.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return {};
        }
        port = netShort(address.sin_port);
        return s;
    }

    static sockaddr_in loopback(int port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = loopbackAddress();
        address.sin_port = netShort(static_cast<u_short>(port));
        return address;
    }

    void fillQueue() {
        for (int i = 0; i < 4; ++i) {
            UniqueSocket s(ws().socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
            u_long nonBlocking = 1;
            ws().ioctlsocket(s.get(), FIONBIO, &nonBlocking);
            const sockaddr_in address = loopback(port_);
            ws().connect(s.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
            fillers_.push_back(std::move(s));
        }
        Sleep(100);  // let the handshakes that can complete do so
    }

    // Waits up to 50 ms for the socket to become readable.
    static bool readable(SOCKET s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval wait{0, 50000};
        return ws().select(0, &set, nullptr, nullptr, &wait) == 1;
    }

    void serve() {
        std::vector<UniqueSocket> held;  // silent mode: open, never answered
        while (!stop_) {
            if (mode_ == Mode::Stalled) {
                Sleep(50);
                continue;
            }
            if (!readable(listener_.get())) continue;
            UniqueSocket client(ws().accept(listener_.get(), nullptr, nullptr));
            if (!client) continue;
            ++connections_;
            if (mode_ == Mode::Silent) {
                held.push_back(std::move(client));
                continue;
            }
            readRequest(client.get());
            if (mode_ == Mode::Reply) {
                ws().send(client.get(), response_.data(), static_cast<int>(response_.size()), 0);
            } else {
                trickle(client.get());
            }
            ws().shutdown(client.get(), SD_SEND);
        }
    }

    void readRequest(SOCKET s) {
        std::string request;
        char buffer[1024];
        while (!stop_ && request.find("\r\n\r\n") == std::string::npos) {
            if (!readable(s)) continue;
            const int n = ws().recv(s, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, n);
        }
        std::lock_guard lock(mutex_);
        requestLines_.push_back(request.substr(0, request.find("\r\n")));
    }

    void trickle(SOCKET s) {
        const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n";
        ws().send(s, head.data(), static_cast<int>(head.size()), 0);
        for (int i = 0; i < 1000 && !stop_; ++i) {
            if (ws().send(s, "x", 1, 0) != 1) return;
            Sleep(100);
        }
    }

    Mode mode_;
    std::string response_;
    UniqueSocket listener_;
    std::vector<UniqueSocket> fillers_;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::string> requestLines_;
    std::thread thread_;
};

}  // namespace tavlo::platform::win32::testing
