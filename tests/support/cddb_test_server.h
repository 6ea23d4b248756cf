#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/cddb_test_database.h"

namespace test_support {

// Queries for discs of the recorded entries: an exact match, three close
// ones, one close one, two exact ones, and a disc the server does not know.
inline const std::string kExactQuery =
    "cddb query 8608460b 11 150 16256 23927 35697 52776 69641 85409 98949 115528 130650 145517 2120";
inline const std::string kCloseThreeQuery =
    "cddb query 7f09130a 10 150 16670 30900 50960 69780 85300 103030 116950 138360 155040 2325";
inline const std::string kCloseOneQuery =
    "cddb query 81084a0b 11 150 16293 23987 35797 52896 69791 85589 99149 115758 130910 145807 2124";
inline const std::string kExactTwoQuery =
    "cddb query 7c09100a 10 150 16650 30850 50900 69700 85200 102900 116800 138200 154850 2322";
inline const std::string kUnknownQuery = "cddb query 26051e05 5 150 18000 39000 61000 80500 1312";

// A CDDB server on 127.0.0.1 for tests, written from the protocol: the
// line protocol on one ephemeral port, the HTTP gateway
// (/~cddb/cddb.cgi?cmd=...&hello=...&proto=N) on another, both over the
// entries of tests/data/cddb. It records what clients send and can be told
// to misbehave.
class CddbTestServer {
public:
    enum class Fault {
        None,
        Greeting200,       // greets with 200 (posting allowed) instead of 201
        GreetingRefused,   // greets with 432 and closes
        GreetingError,     // greets with 530 and closes
        HelloRefused,      // answers the hello with 431
        HelloUnknown,      // answers the hello with 500, as a server that knows no such client
        QueryServerError,  // answers queries with 500
        QueryRefused,      // answers queries with 409 (handshake forgotten)
        HttpServerError,   // HTTP status 500 for every request
        Stall,             // accepts, then says nothing (no greeting, no HTTP answer)
        EndlessLine,       // the reply to a query is one line that never ends
        EndlessList,       // the reply to a query is a match list that never ends
        CloseMidEntry,     // a read sends half the entry, then closes
    };

    CddbTestServer();
    ~CddbTestServer();
    CddbTestServer(const CddbTestServer&) = delete;
    CddbTestServer& operator=(const CddbTestServer&) = delete;

    int tcpPort() const { return tcpPort_; }
    int httpPort() const { return httpPort_; }

    // For the connections accepted from now on.
    void setFault(Fault fault) { fault_ = fault; }
    void setSites(std::vector<std::string> lines);

    // Every line TCP clients sent, in order, once the open connections have
    // ended (it waits up to 2 s for them).
    std::vector<std::string> receivedLines() const;
    // Every HTTP request target, in order.
    std::vector<std::string> requestTargets() const;

private:
    void acceptLoop(int tcpListener, int httpListener);
    void serveTcp(int socket);
    void serveHttp(int socket);
    // The reply to one command of a TCP session, lines without ends;
    // `close` when the session ends after it.
    std::vector<std::string> tcpReply(const std::string& line, int& level, bool& handshook, bool& close) const;
    // The body of the HTTP answer to `target` and the command it carries;
    // `found` false for a path other than the gateway's.
    std::vector<std::string> httpReply(const std::string& target, std::string& command, bool& found) const;
    // The refusal the fault gives `command` when it is a query.
    std::optional<std::string> queryFault(const std::string& command) const;
    // Sends what the fault sends instead of the reply to `command` (after
    // `head`), and true: the session then ends. False when the command is
    // to be answered as usual.
    bool misbehave(int socket, const std::string& command, const std::string& head) const;
    void stallUntilStopped() const;
    void record(std::vector<std::string>& into, const std::string& text);
    void finish(int socket);

    CddbTestDatabase database_;
    std::atomic<Fault> fault_{Fault::None};
    std::atomic<bool> stopping_{false};
    int tcpPort_ = 0;
    int httpPort_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> received_;
    std::vector<std::string> targets_;
    std::set<int> open_;
    std::vector<std::thread> sessions_;
    std::thread acceptor_;
};

}  // namespace test_support
