#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/cddb_server.h"
#include "lookup/cddb_step.h"

namespace lookup {

// A CDDB exchange as a state machine over the server's reply lines, apart
// from any transport: it says what to send and when to read (next()), and
// is fed each reply line (feed()) or the end of a reply (feedEnd()). Over
// TCP it reads the greeting, shakes hands and says "quit"; over HTTP every
// command is one request whose body lines are fed in turn.
class CddbMachine {
public:
    enum class Failure {
        None,
        CutShort,  // the reply ended (connection closed, body over) before its end
        TooLong,   // a list or entry past kMaxReplyLines or kMaxReplyBytes
    };

    // Bounds on one list or entry: far above any real one, low enough to
    // keep a misbehaving server from filling memory.
    static constexpr std::size_t kMaxReplyLines = 10000;
    static constexpr std::size_t kMaxReplyBytes = 1024 * 1024;

    virtual ~CddbMachine() = default;

    // The next step; Finished for ever once the exchange is over.
    CddbStep next();
    // The next line of the current reply (answers a Receive step). A
    // trailing CR or LF is ignored.
    void feed(std::string_view line);
    // The current reply ended before the exchange expected it to.
    void feedEnd();
    // The user's answer to a Choose step: an index into its items, or
    // nothing when cancelled.
    virtual void choose(std::optional<std::size_t> choice);

    Failure failure() const { return failure_; }

protected:
    explicit CddbMachine(CddbTransport transport) : transport_(transport) {}

    bool overTcp() const { return transport_ == CddbTransport::Tcp; }

    void status(std::string text);
    // Sends `command` and reads the first line of its reply.
    void request(std::string command);
    void receive();
    void ask(std::vector<std::string> items);
    // Sends "quit" over TCP when `quit`; then the exchange is over.
    void finish(bool quit, std::string_view quitStatus = {});

    // Collects the following lines up to the "." line that ends a list, or
    // (an entry) up to and with the first line beginning "PLAY"; then hands
    // them to onLines().
    void collectList();
    void collectEntry();

    // A line that was asked for outside a list or entry.
    virtual void onLine(std::string_view line) = 0;
    // A list or entry, complete.
    virtual void onLines(std::vector<std::string> lines) = 0;

private:
    enum class Collecting { Nothing, List, Entry };

    void fail(Failure failure);

    CddbTransport transport_;
    std::deque<CddbStep> steps_;
    bool finished_ = false;
    Failure failure_ = Failure::None;
    Collecting collecting_ = Collecting::Nothing;
    std::vector<std::string> collected_;
    std::size_t collectedBytes_ = 0;
};

// The first three characters of a reply line: its code.
inline std::string_view cddbCode(std::string_view line) { return line.substr(0, 3); }

}  // namespace lookup
