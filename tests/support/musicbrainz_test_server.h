#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

// MusicBrainz's web service and the Cover Art Archive on 127.0.0.1 for
// tests, over the documents of tests/data/musicbrainz, answered as the
// services document it:
//   /ws/2/discid/ID          discid-ID.json, or 404
//   /ws/2/discid/-?toc=T     toc-LEADOUT.json, or an empty release list
//   /ws/2/release?query=barcode:B   barcode-B.json, or an empty search
//   /ws/2/release/MBID       release-MBID.json, or 404
//   /release/MBID/front-500  a redirect to the image cover-MBID.jpg, or 404
// It records every request and can be told to misbehave.
class MusicBrainzTestServer {
public:
    enum class Fault {
        None,
        BusyOnce,    // the next request gets 503 with "Retry-After: 1"
        AlwaysBusy,  // every request gets 503 with "Retry-After: 1"
        Malformed,   // documents end halfway
        Huge,        // documents of kHugeBytes that never end
        Stall,       // reads the request, then says nothing
    };
    static constexpr std::size_t kHugeBytes = 64 * 1024 * 1024;

    struct Request {
        std::string target;
        std::string userAgent;
        std::chrono::steady_clock::time_point arrival;
    };

    MusicBrainzTestServer();
    ~MusicBrainzTestServer();
    MusicBrainzTestServer(const MusicBrainzTestServer&) = delete;
    MusicBrainzTestServer& operator=(const MusicBrainzTestServer&) = delete;

    // "http://127.0.0.1:PORT", for both services.
    std::string url() const;
    void setFault(Fault fault) { fault_ = fault; }
    // Every request so far, in the order they arrived.
    std::vector<Request> requests() const;

    // A loopback address that nothing listens on.
    static std::string closedUrl();

private:
    void acceptLoop(int listener);
    void serve(int socket);
    // The status, extra header lines and body for `target`.
    void answer(const std::string& target, int& status, std::string& headers, std::string& body);

    std::atomic<Fault> fault_{Fault::None};
    std::atomic<bool> stopping_{false};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<Request> requests_;
    std::set<int> open_;
    std::vector<std::thread> sessions_;
    std::thread acceptor_;
};

}  // namespace test_support
