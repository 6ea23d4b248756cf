#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An open connection that speaks a line protocol (lines end in CR LF). It
// closes when destroyed. The waits are those it was opened with; every
// failure throws NetError.
class LineConnection {
public:
    virtual ~LineConnection() = default;

    // Sends `line` followed by CR LF.
    virtual void writeLine(std::string_view line) = 0;

    // The next line, without its CR LF (a bare LF ends a line too; a last
    // line the peer did not end counts as a line). Nothing once the peer
    // has closed the connection. A line longer than kMaxLineBytes, or one
    // that does not arrive whole within the read time-out, throws.
    virtual std::optional<std::string> readLine() = 0;
};

}  // namespace platform
