#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

/// A TCP proxy on 127.0.0.1 that stands for a slow network between the program and its
/// database server: every request of the client (data from the client after the server last
/// answered) reaches the server only after a fixed delay, as over a link with that round-trip
/// time. It counts those round trips, and can cut a connection when the client sends a
/// given text, as a network that drops in the middle of a session.
class CDelayProxy
{
public:
    /// Forwards to `targetPort` on 127.0.0.1 with `delayMs` per round trip.
    CDelayProxy(std::uint16_t targetPort, int delayMs);
    ~CDelayProxy();
    CDelayProxy(const CDelayProxy&) = delete;
    CDelayProxy& operator=(const CDelayProxy&) = delete;

    /// The port it listens on; 0 when it could not start.
    std::uint16_t Port() const { return m_port; }
    /// Round trips of every connection so far: requests the server answered.
    long RoundTrips() const { return m_roundTrips; }
    void ResetRoundTrips() { m_roundTrips = 0; }
    /// Cuts a connection as soon as its client sends data that holds `text`.
    void CutWhenClientSends(const std::string& text);

private:
    void Accept();
    void Forward(int client, int server);
    bool ShouldCut(const std::string& data);

    std::uint16_t m_targetPort;
    int m_delayMs;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<long> m_roundTrips{0};
    std::mutex m_mutex;
    std::string m_cutText;
    std::thread m_acceptor;
    std::vector<std::thread> m_connections;
};
