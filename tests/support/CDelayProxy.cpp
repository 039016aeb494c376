#include "support/CDelayProxy.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 100;

bool WriteAll(int fd, const char* data, ssize_t length)
{
    while (length > 0) {
        const ssize_t written = ::send(fd, data, static_cast<std::size_t>(length), MSG_NOSIGNAL);
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

int ConnectLocal(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

} // namespace

CDelayProxy::CDelayProxy(std::uint16_t targetPort, int delayMs) : m_targetPort(targetPort), m_delayMs(delayMs)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 16) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread(&CDelayProxy::Accept, this);
}

CDelayProxy::~CDelayProxy()
{
    m_stopping = true;
    if (m_acceptor.joinable())
        m_acceptor.join();
    for (std::thread& connection : m_connections)
        connection.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

void CDelayProxy::CutWhenClientSends(const std::string& text)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cutText = text;
}

bool CDelayProxy::ShouldCut(const std::string& data)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return !m_cutText.empty() && data.find(m_cutText) != std::string::npos;
}

void CDelayProxy::Accept()
{
    while (!m_stopping) {
        pollfd listening{m_listener, POLLIN, 0};
        if (::poll(&listening, 1, kPollMs) <= 0)
            continue;
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            continue;
        const int on = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        const int server = ConnectLocal(m_targetPort);
        if (server < 0) {
            ::close(client);
            continue;
        }
        m_connections.emplace_back(&CDelayProxy::Forward, this, client, server);
    }
}

void CDelayProxy::Forward(int client, int server)
{
    // A request is what the client sends once the server has answered; only its first
    // bytes wait, as the whole of it would travel together over a real link. A round trip is
    // counted when the server answers it: a message that gets no answer (a prepared
    // statement let go of) goes along with the next request, as it would over a real link.
    bool serverSpokeLast = true;
    char buffer[64 * 1024];
    while (!m_stopping) {
        pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        if (::poll(ends, 2, kPollMs) <= 0)
            continue;
        if (ends[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t length = ::recv(client, buffer, sizeof buffer, 0);
            if (length <= 0 || ShouldCut(std::string(buffer, static_cast<std::size_t>(length))))
                break;
            if (serverSpokeLast) {
                std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs));
                serverSpokeLast = false;
            }
            if (!WriteAll(server, buffer, length))
                break;
        }
        if (ends[1].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t length = ::recv(server, buffer, sizeof buffer, 0);
            if (length <= 0 || !WriteAll(client, buffer, length))
                break;
            if (!serverSpokeLast)
                ++m_roundTrips;
            serverSpokeLast = true;
        }
    }
    ::close(client);
    ::close(server);
}
