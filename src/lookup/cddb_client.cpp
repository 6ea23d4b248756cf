#include "lookup/cddb_client.h"

#include <deque>
#include <memory>

#include "lookup/cddb_commands.h"
#include "lookup/cddb_list_machine.h"
#include "platform/net_error.h"

namespace lookup {
namespace {

// An HTTP body may hold a whole list or entry plus its status line and
// line ends.
constexpr std::size_t kMaxBodyBytes = 2 * CddbMachine::kMaxReplyBytes;

// Lines end at CR LF, CR or LF; an empty piece after the last end is none.
std::deque<std::string> bodyLines(const std::string& body)
{
    std::deque<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        const auto end = body.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(body.substr(start));
            break;
        }
        lines.push_back(body.substr(start, end - start));
        start = end + (body.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

}  // namespace

CddbClient::CddbClient(CddbServer server, CddbHello hello, platform::LineConnector& tcp, platform::HttpGetter& http)
    : server_(std::move(server)), hello_(std::move(hello)), tcp_(tcp), http_(http)
{
}

CddbClient::Chooser CddbClient::promptingChooser(common::Prompter& prompter)
{
    return [&prompter](const std::vector<std::string>& matches) {
        return prompter.chooseOne(std::string(kMatchesCaption), "", matches);
    };
}

CddbLookupResult CddbClient::lookup(const std::string& query)
{
    return runLookup({CddbLookupMachine::Mode::Lookup, query, {}, {}});
}

CddbLookupResult CddbClient::query(const std::string& query)
{
    return runLookup({CddbLookupMachine::Mode::QueryOnly, query, {}, {}});
}

CddbLookupResult CddbClient::read(const std::string& category, const std::string& discId)
{
    return runLookup({CddbLookupMachine::Mode::ReadOnly, {}, category, discId});
}

CddbListResult CddbClient::listSites()
{
    CddbListMachine machine(CddbListMachine::List::Sites, server_.transport, hello_.line());
    std::string message;
    const CddbOutcome outcome = run(machine, message);
    if (outcome != CddbOutcome::Completed)
        return {outcome, message, {}, false};
    return machine.result();
}

CddbListResult CddbClient::listCategories()
{
    CddbListMachine machine(CddbListMachine::List::Categories, server_.transport, hello_.line());
    std::string message;
    const CddbOutcome outcome = run(machine, message);
    if (outcome != CddbOutcome::Completed)
        return {outcome, message, {}, false};
    return machine.result();
}

CddbLookupResult CddbClient::runLookup(CddbLookupMachine::Request request)
{
    CddbLookupMachine machine(server_.transport, hello_.line(), std::move(request));
    CddbLookupResult failed;
    failed.outcome = run(machine, failed.message);
    return failed.outcome == CddbOutcome::Completed ? machine.result() : failed;
}

CddbOutcome CddbClient::run(CddbMachine& machine, std::string& message)
{
    const int port = server_.effectivePort();
    std::unique_ptr<platform::LineConnection> connection;
    std::deque<std::string> httpLines;
    const auto connected = [&]() -> platform::LineConnection& {
        if (!connection)
            connection = tcp_.connect(server_.host, port, wait_);
        return *connection;
    };
    try {
        for (CddbStep step = machine.next(); step.kind != CddbStep::Kind::Finished; step = machine.next()) {
            switch (step.kind) {
            case CddbStep::Kind::Status:
                if (status_)
                    status_(step.text);
                break;
            case CddbStep::Kind::Send:
                if (server_.transport == CddbTransport::Tcp) {
                    connected().writeLine(step.text);
                } else {
                    const platform::HttpRequest request{server_.tls, server_.host, port,
                                                        cddbHttpTarget(step.text, hello_), hello_.userAgent(),
                                                        kMaxBodyBytes};
                    httpLines = bodyLines(http_.get(request, wait_));
                }
                break;
            case CddbStep::Kind::Quit:
                quit(connection.get());
                break;
            case CddbStep::Kind::Receive:
                if (server_.transport == CddbTransport::Tcp) {
                    if (auto line = connected().readLine())
                        machine.feed(*line);
                    else
                        machine.feedEnd();
                } else if (httpLines.empty()) {
                    machine.feedEnd();
                } else {
                    const std::string line = std::move(httpLines.front());
                    httpLines.pop_front();
                    if (line.size() > platform::kMaxLineBytes)
                        throw platform::NetError(platform::NetError::Kind::Failed,
                                                 "The CDDB server " + server_.host + " sent a line longer than " +
                                                     std::to_string(platform::kMaxLineBytes) + " bytes.");
                    machine.feed(line);
                }
                break;
            case CddbStep::Kind::Choose:
                machine.choose(chooser_ ? chooser_(step.items) : std::nullopt);
                break;
            case CddbStep::Kind::Finished:
                break;
            }
            if (wait_.isCancelled())
                throw platform::NetError(platform::NetError::Kind::Cancelled, "Cancelled");
        }
    } catch (const platform::NetError& error) {
        message = error.what();
        return error.kind() == platform::NetError::Kind::Cancelled ? CddbOutcome::Cancelled : CddbOutcome::Failed;
    } catch (const std::exception& error) {
        // The runner's thread must not end in an exception either.
        message = "CDDB server " + server_.host + ": " + error.what();
        return CddbOutcome::Failed;
    }
    if (machine.failure() == CddbMachine::Failure::None)
        return CddbOutcome::Completed;
    message = failureMessage(machine.failure());
    return CddbOutcome::Failed;
}

void CddbClient::quit(platform::LineConnection* connection) const
{
    if (connection == nullptr)
        return;
    try {
        connection->writeLine("quit");
    } catch (const platform::NetError&) {
        // The server may have gone first: the exchange is complete anyway.
    }
}

std::string CddbClient::failureMessage(CddbMachine::Failure failure) const
{
    const std::string server = "The CDDB server " + server_.host;
    if (failure == CddbMachine::Failure::TooLong)
        return server + " sent a reply longer than " + std::to_string(CddbMachine::kMaxReplyLines) + " lines or " +
               std::to_string(CddbMachine::kMaxReplyBytes) + " bytes.";
    return server + " ended its reply before it was complete.";
}

}  // namespace lookup
