// A small HTTP server on 127.0.0.1 for the HTTP tests: it answers with a
// fixed reply, or accepts and never answers (Silent), or sends its headers and
// then trickles the body one byte every 100 ms (Trickle).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavlo::platform::win32::testing {

// The socket calls, from ws2_32.dll: the program itself makes none, so its
// build does not link them.
struct Winsock {
#define TAVLO_WINSOCK(X) X(WSAStartup) X(socket) X(bind) X(listen) X(getsockname) X(accept) X(recv) X(send) X(closesocket) X(select)
#define TAVLO_MEMBER(name) decltype(&::name) name = load<decltype(&::name)>(#name);
    HMODULE library = LoadLibraryW(L"ws2_32.dll");
    template <class Fn>
    Fn load(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
    TAVLO_WINSOCK(TAVLO_MEMBER)
#undef TAVLO_MEMBER
#undef TAVLO_WINSOCK
};

inline const Winsock& ws() {
    static const Winsock calls = [] {
        Winsock w;
        WSADATA data;
        w.WSAStartup(MAKEWORD(2, 2), &data);
        return w;
    }();
    return calls;
}

class LocalHttpServer {
public:
    enum class Mode { Reply, Silent, Trickle };
    static std::string reply(int status, const std::string& body) {
        return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

    explicit LocalHttpServer(Mode mode, std::string response = {}) : mode_(mode), response_(std::move(response)) {
        sockaddr_in address{AF_INET, 0, {.S_un = {.S_addr = 0x0100007F}}};  // 127.0.0.1, any port
        int length = sizeof address;
        ws().bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ws().listen(listener_, 8);
        ws().getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = (address.sin_port >> 8) | ((address.sin_port & 0xFF) << 8);
        thread_ = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        ws().closesocket(listener_);
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int connections() const { return connections_; }
    std::vector<std::string> requestLines() {
        std::lock_guard lock(mutex_);
        return requestLines_;
    }

private:
    // Waits up to 50 ms for the socket to become readable.
    static bool readable(SOCKET s) {
        fd_set set{1, {s}};
        timeval wait{0, 50000};
        return ws().select(0, &set, nullptr, nullptr, &wait) == 1;
    }
    void serve() {
        std::vector<SOCKET> clients;  // closed at the end: the silent ones are never answered
        while (!stop_) {
            if (!readable(listener_)) continue;
            const SOCKET client = clients.emplace_back(ws().accept(listener_, nullptr, nullptr));
            ++connections_;
            if (mode_ == Mode::Silent) continue;
            std::string request;
            char buffer[1024];
            for (int n = 1; !stop_ && n > 0 && request.find("\r\n\r\n") == std::string::npos;)
                if (readable(client) && (n = ws().recv(client, buffer, sizeof buffer, 0)) > 0) request.append(buffer, n);
            {
                std::lock_guard lock(mutex_);
                requestLines_.push_back(request.substr(0, request.find("\r\n")));
            }
            std::string first = mode_ == Mode::Reply ? response_ : reply(200, std::string(1000, 'x'));
            if (mode_ == Mode::Trickle) first.resize(first.size() - 1000);  // the headers alone
            ws().send(client, first.data(), static_cast<int>(first.size()), 0);
            for (int i = 0; mode_ == Mode::Trickle && i < 1000 && !stop_ && ws().send(client, "x", 1, 0) == 1; ++i)
                Sleep(100);
            ws().closesocket(clients.back());
            clients.pop_back();
        }
        for (SOCKET s : clients) ws().closesocket(s);
    }

    Mode mode_;
    std::string response_;
    SOCKET listener_ = ws().socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::mutex mutex_;
    std::vector<std::string> requestLines_;
    std::thread thread_;
};

}  // namespace tavlo::platform::win32::testing
