#include "platform/win32/Win32Http.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

struct InternetTraits {
    using type = HINTERNET;
    static type invalid() { return nullptr; }
    static void close(type h) { InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetTraits>;

// What the caller and the worker share; the last of them to let go frees it.
// The worker publishes the body, then sets `finished`.
struct Transfer {
    UniqueHandle<FreedBy<HANDLE, CloseHandle>> finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::optional<std::string> body;
    std::atomic<bool> abandoned{false};
};

// How long the wait sleeps at most before it runs the pump again.
constexpr DWORD kPumpSliceMs = 30;

struct Target {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query
};

std::optional<Target> crack(const std::string& url) {
    const std::wstring wide = widen(escapeUrl(url));
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;  // point into `wide`
    if (!InternetCrackUrlW(wide.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return std::nullopt;
    Target t;
    t.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    t.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    t.port = parts.nPort;
    if (parts.lpszUrlPath) t.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) t.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (t.object.empty() || t.object[0] != L'/') t.object.insert(0, L"/");
    return t;
}

// Bounds each step of the worker as well, so that a left request ends by itself.
void limitSteps(HINTERNET request, int timeoutMs) {
    if (timeoutMs <= 0) return;
    DWORD ms = static_cast<DWORD>(timeoutMs);
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionW(request, option, &ms, sizeof ms);
    }
}

std::optional<std::string> readBody(HINTERNET request, const Transfer& transfer) {
    std::string body;
    char buffer[8192];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, sizeof buffer, &got)) return std::nullopt;
        if (got == 0) return body;
        if (transfer.abandoned || body.size() + got > Win32Http::MaxBody) return std::nullopt;
        body.append(buffer, got);
    }
}

std::optional<std::string> fetch(const std::string& url, int timeoutMs, const Transfer& transfer) {
    const auto target = crack(url);
    if (!target) return std::nullopt;
    UniqueInternet session(InternetOpenW(L"Tavlo", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return std::nullopt;
    UniqueInternet connection(InternetConnectW(session.get(), target->host.c_str(), target->port, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return std::nullopt;
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                        (target->secure ? INTERNET_FLAG_SECURE : 0);
    UniqueInternet request(
        HttpOpenRequestW(connection.get(), L"GET", target->object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return std::nullopt;
    limitSteps(request.get(), timeoutMs);
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0) || transfer.abandoned) return std::nullopt;
    DWORD status = 0, size = sizeof status;
    // A success answers with a body: 204 and 205 carry none, whatever the peer sends after them.
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
        status < 200 || status > 299 || status == HTTP_STATUS_NO_CONTENT || status == HTTP_STATUS_RESET_CONTENT) {
        return std::nullopt;
    }
    auto body = readBody(request.get(), transfer);
    if (body && body->empty()) return std::nullopt;
    return body;
}

bool mustEscape(unsigned char c) {
    if (c <= 0x20 || c >= 0x7F) return true;
    return std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
}

// Blocks; or, given a pump, sleeps until the event is set or a message comes
// for the thread's windows, and then runs the pump; every slice as well, for
// the paints that the pump holds back for a while (a window waiting for its
// paint does not wake the wait, or it would spin until the paint is due).
// True when the event is set.
bool waitFor(HANDLE finished, int timeoutMs, const std::function<void()>& pump) {
    if (!pump) return WaitForSingleObject(finished, timeoutMs > 0 ? timeoutMs : INFINITE) == WAIT_OBJECT_0;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        DWORD slice = kPumpSliceMs;
        if (timeoutMs > 0) {
            const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start).count();
            if (passed >= timeoutMs) return WaitForSingleObject(finished, 0) == WAIT_OBJECT_0;
            slice = std::min(slice, static_cast<DWORD>(timeoutMs - passed));
        }
        const DWORD woke = MsgWaitForMultipleObjects(1, &finished, FALSE, slice, QS_ALLINPUT & ~QS_PAINT);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke == WAIT_FAILED) return false;
        pump();
    }
}

}  // namespace

std::string escapeUrl(const std::string& url) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (unsigned char c : url) {
        if (mustEscape(c)) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void Win32Http::pumpWhileWaiting(std::function<void()> pump) { pump_ = std::move(pump); }

std::optional<std::string> Win32Http::get(const std::string& url, int timeoutMs) {
    auto transfer = std::make_shared<Transfer>();
    if (!transfer->finished) return std::nullopt;
    try {
        std::thread([transfer, url, timeoutMs] {
            transfer->body = fetch(url, timeoutMs, *transfer);
            SetEvent(transfer->finished.get());
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;  // no thread to be had
    }
    bool done = false;
    try {
        done = waitFor(transfer->finished.get(), timeoutMs, pump_);
    } catch (...) {
        transfer->abandoned = true;
        throw;
    }
    if (!done) {
        transfer->abandoned = true;  // its reply, if one still comes, is dropped
        return std::nullopt;
    }
    return std::move(transfer->body);
}

}  // namespace tavlo::platform::win32
