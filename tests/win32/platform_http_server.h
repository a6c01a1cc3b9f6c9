// A small HTTP server on 127.0.0.1 (an ephemeral port) for the HTTP tests: it
// answers with a fixed reply, or accepts and never answers, or sends its
// headers and then trickles the body one byte at a time.
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

// The socket calls, taken from ws2_32.dll: the program itself makes no socket
// calls, so its build does not link them.
struct Winsock {
#define TAVLO_WINSOCK_CALLS(X) \
    X(WSAStartup) X(socket) X(bind) X(listen) X(getsockname) X(accept) X(recv) X(send) X(closesocket) X(select)
#define TAVLO_WINSOCK_MEMBER(name) decltype(&::name) name = load<decltype(&::name)>(#name);
    HMODULE library = LoadLibraryW(L"ws2_32.dll");
    template <class Fn>
    Fn load(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
    TAVLO_WINSOCK_CALLS(TAVLO_WINSOCK_MEMBER)
#undef TAVLO_WINSOCK_MEMBER
#undef TAVLO_WINSOCK_CALLS
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

inline const Winsock& ws() {
    static const Winsock calls;  // loaded and started for the test program's life
    return calls;
}

struct SocketTraits {
    using type = SOCKET;
    static type invalid() { return INVALID_SOCKET; }
    static void close(type s) { ws().closesocket(s); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

class LocalHttpServer {
public:
    enum class Mode { Reply, Silent, Trickle };

    static std::string reply(int status, const std::string& body) {
        return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    explicit LocalHttpServer(Mode mode, std::string response = {})
        : mode_(mode), response_(std::move(response)), listener_(listen(port_)), thread_([this] { serve(); }) {}
    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int connections() const { return connections_; }
    std::vector<std::string> requestLines() {
        std::lock_guard lock(mutex_);
        return requestLines_;
    }

    // A port on which nothing listens (it was just given back).
    static int closedPort() {
        int port = 0;
        listen(port).reset();
        return port;
    }

private:
    static UniqueSocket listen(int& port) {
        UniqueSocket s(ws().socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = 0x0100007F;  // 127.0.0.1 in network order
        int length = sizeof address;
        if (ws().bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ws().listen(s.get(), 8) != 0 || ws().getsockname(s.get(), reinterpret_cast<sockaddr*>(&address), &length))
            return {};
        port = (address.sin_port >> 8) | ((address.sin_port & 0xFF) << 8);
        return s;
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
            if (!readable(listener_.get())) continue;
            UniqueSocket client(ws().accept(listener_.get(), nullptr, nullptr));
            if (!client) continue;
            ++connections_;
            if (mode_ == Mode::Silent) {
                held.push_back(std::move(client));
                continue;
            }
            readRequest(client.get());
            const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\nConnection: close\r\n\r\n";
            const std::string& first = mode_ == Mode::Reply ? response_ : head;
            ws().send(client.get(), first.data(), static_cast<int>(first.size()), 0);
            for (int i = 0; mode_ == Mode::Trickle && i < 1000 && !stop_ && ws().send(client.get(), "x", 1, 0) == 1; ++i)
                Sleep(100);
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

    Mode mode_;
    std::string response_;
    int port_ = 0;
    UniqueSocket listener_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::string> requestLines_;
    std::thread thread_;
};

}  // namespace tavlo::platform::win32::testing
