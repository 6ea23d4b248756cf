#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"
#include "lookup/cddb_hello.h"
#include "lookup/cddb_lookup_machine.h"
#include "lookup/cddb_machine.h"
#include "lookup/cddb_results.h"
#include "lookup/cddb_server.h"
#include "platform/http_getter.h"
#include "platform/line_connector.h"
#include "platform/net_wait.h"

namespace lookup {

// Runs the CDDB exchanges against one server, on the calling thread: each
// call returns when its exchange is over, failed, timed out or was
// cancelled through the wait's flag. A TCP connection lives for one
// exchange. Outcomes are results, never exceptions.
class CddbClient {
public:
    using StatusReport = std::function<void(const std::string& text)>;
    // The index of the match the user chose among `matches`, or nothing.
    using Chooser = std::function<std::optional<std::size_t>(const std::vector<std::string>& matches)>;

    static constexpr std::string_view kMatchesCaption = "Multiple Matches found - Select One or Cancel";

    // The transports must outlive the client.
    CddbClient(CddbServer server, CddbHello hello, platform::LineConnector& tcp, platform::HttpGetter& http);

    const CddbServer& server() const { return server_; }

    void setWait(const platform::NetWait& wait) { wait_ = wait; }
    void setStatusReport(StatusReport report) { status_ = std::move(report); }
    // Without a chooser a choice among several matches counts as cancelled.
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }
    // A chooser that asks through `prompter` (which must outlive it).
    static Chooser promptingChooser(common::Prompter& prompter);

    // The disc lookup for `query` (cddbQueryCommand).
    CddbLookupResult lookup(const std::string& query);
    // The query alone: its matches, nothing read.
    CddbLookupResult query(const std::string& query);
    // The read alone: the entry of `category` `discId`.
    CddbLookupResult read(const std::string& category, const std::string& discId);
    CddbListResult listSites();
    CddbListResult listCategories();

private:
    CddbLookupResult runLookup(CddbLookupMachine::Request request);
    // Runs `machine` to its end; Completed, or the outcome of a failure
    // with its message in `message`.
    CddbOutcome run(CddbMachine& machine, std::string& message);
    std::string failureMessage(CddbMachine::Failure failure) const;
    void quit(platform::LineConnection* connection) const;

    CddbServer server_;
    CddbHello hello_;
    platform::LineConnector& tcp_;
    platform::HttpGetter& http_;
    platform::NetWait wait_;
    StatusReport status_;
    Chooser chooser_;
};

}  // namespace lookup
