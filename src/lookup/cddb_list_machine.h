#pragma once

#include <string>

#include "lookup/cddb_machine.h"
#include "lookup/cddb_results.h"

namespace lookup {

// The two list exchanges. Sites: over TCP the greeting (not checked) and
// "sites" with no handshake; the hosts of the list, a host given once for
// each run of lines naming it. Categories: over TCP the greeting (not
// checked) and the hello (refused as the lookup refuses it), then "cddb lscat". Over
// TCP both end with "quit".
class CddbListMachine final : public CddbMachine {
public:
    enum class List { Sites, Categories };

    // A category list counts as found when it holds more than this.
    static constexpr std::size_t kMinCategories = 8;

    // `helloLine` as CddbHello::line() gives it (categories over TCP only).
    CddbListMachine(List list, CddbTransport transport, std::string helloLine);

    // What the exchange brought so far; final once next() said Finished.
    const CddbListResult& result() const { return result_; }

private:
    enum class State { Greeting, Hello, Reply, Done };

    void onLine(std::string_view line) override;
    void onLines(std::vector<std::string> lines) override;

    void ask();
    void end();

    List list_;
    std::string helloLine_;
    State state_ = State::Greeting;
    CddbListResult result_;
};

}  // namespace lookup
