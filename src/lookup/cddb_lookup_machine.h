#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lookup/cddb_machine.h"
#include "lookup/cddb_results.h"

namespace lookup {

// The disc lookup: over TCP the greeting (accepted when its code begins
// "20"), the hello (see helloRefusal) and "proto 5"; then the query,
// the choice among several matches, the read of the accepted match and,
// when a list or entry was read, "quit". The entry is kept whole for the
// caller (fillAlbumEntry) rather than applied as it arrives, so a reply cut
// short leaves nothing behind.
class CddbLookupMachine final : public CddbMachine {
public:
    enum class Mode {
        Lookup,     // query, choose, read
        QueryOnly,  // query; the matches are the result
        ReadOnly,   // read `category` `discId`
    };
    struct Request {
        Mode mode = Mode::Lookup;
        std::string query;  // Lookup and QueryOnly: the query command
        std::string category;
        std::string discId;
    };

    static constexpr std::string_view kGreetingRefused = "Could not connect to CDDB server, error ";
    static constexpr std::string_view kHandshakeFailed = "Handshake with CDDB server failed, error ";

    // What to tell the user when `helloReply` refuses the hello: "431", or
    // any 5xx (a server that wants to know the client answers "500 Unknown
    // developer email" and serves nothing more). Nothing for other replies.
    static std::optional<std::string> helloRefusal(std::string_view helloReply);

    // `helloLine` as CddbHello::line() gives it (TCP only).
    CddbLookupMachine(CddbTransport transport, std::string helloLine, Request request);

    void choose(std::optional<std::size_t> choice) override;

    // What the exchange found so far; final once next() said Finished.
    const CddbLookupResult& result() const { return result_; }

private:
    enum class State { Greeting, Hello, Proto, Query, Matches, Choosing, Read, Entry, Done };

    void onLine(std::string_view line) override;
    void onLines(std::vector<std::string> lines) override;

    void search();
    void accept(std::string_view matchLine);
    void read(std::string category, std::string discId);
    void end();

    std::string helloLine_;
    Request request_;
    State state_ = State::Greeting;
    bool needsQuit_ = false;
    CddbLookupResult result_;
};

}  // namespace lookup
