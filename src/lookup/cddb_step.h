#pragma once

#include <string>
#include <vector>

namespace lookup {

// What a CDDB exchange asks of whoever drives it, one step at a time.
struct CddbStep {
    enum class Kind {
        Status,    // show `text` as progress
        Send,      // send the command `text` (over HTTP: one request)
        Quit,      // send "quit" if the connection still stands; a failure does not matter
        Receive,   // hand over the next line of the reply, or its end
        Choose,    // let the user choose one of `items`
        Finished,  // the exchange is over
    };
    Kind kind = Kind::Finished;
    std::string text;
    std::vector<std::string> items;
};

}  // namespace lookup
