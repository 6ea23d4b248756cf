#include "lookup/cddb_lookup_machine.h"

#include "lookup/cddb_commands.h"

namespace lookup {

std::optional<std::string> CddbLookupMachine::helloRefusal(std::string_view helloReply)
{
    const std::string_view code = cddbCode(helloReply);
    if (code == "431")
        return std::string(kHandshakeFailed) + std::string(code);
    if (code.substr(0, 1) == "5")
        return std::string(kHandshakeFailed) + std::string(helloReply);
    return std::nullopt;
}

CddbLookupMachine::CddbLookupMachine(CddbTransport transport, std::string helloLine, Request request)
    : CddbMachine(transport), helloLine_(std::move(helloLine)), request_(std::move(request))
{
    if (overTcp()) {
        status("Connecting ...");
        receive();
    } else {
        search();
    }
}

void CddbLookupMachine::onLine(std::string_view line)
{
    const std::string_view code = cddbCode(line);
    result_.reply = line;
    switch (state_) {
    case State::Greeting:
        if (code.substr(0, 2) != "20") {
            result_.message = std::string(kGreetingRefused) + std::string(code);
            end();
            return;
        }
        state_ = State::Hello;
        request(helloLine_);
        return;
    case State::Hello:
        if (auto refusal = helloRefusal(line)) {
            result_.message = std::move(*refusal);
            end();
            return;
        }
        state_ = State::Proto;
        request("proto 5");
        return;
    case State::Proto:
        search();
        return;
    case State::Query:
        if (code == "200") {
            const std::string_view match = line.size() > 4 ? line.substr(4) : std::string_view();
            result_.matches.emplace_back(match);
            accept(match);
        } else if (code == "210" || code == "211") {
            needsQuit_ = true;
            state_ = State::Matches;
            collectList();
        } else {
            result_.notFound = code == "202" || code.substr(0, 1) == "4";
            end();
        }
        return;
    case State::Read:
        if (code == "210") {
            state_ = State::Entry;
            collectEntry();
        } else {
            result_.notFound = code.substr(0, 1) == "4";
            end();
        }
        return;
    case State::Matches:
    case State::Choosing:
    case State::Entry:
    case State::Done:
        return;
    }
}

void CddbLookupMachine::onLines(std::vector<std::string> lines)
{
    if (state_ == State::Entry) {
        result_.entry = std::move(lines);
        needsQuit_ = true;
        end();
        return;
    }
    result_.matches = std::move(lines);
    if (request_.mode == Mode::QueryOnly) {
        end();
    } else if (result_.matches.size() == 1) {
        accept(result_.matches.front());
    } else {
        state_ = State::Choosing;
        ask(result_.matches);
    }
}

void CddbLookupMachine::choose(std::optional<std::size_t> choice)
{
    if (state_ != State::Choosing)
        return;
    if (!choice || *choice >= result_.matches.size())
        end();
    else
        accept(result_.matches[*choice]);
}

void CddbLookupMachine::search()
{
    if (request_.mode == Mode::ReadOnly) {
        read(request_.category, request_.discId);
        return;
    }
    status("Searching ...");
    result_.showEditForm = true;
    state_ = State::Query;
    request(request_.query);
}

void CddbLookupMachine::accept(std::string_view matchLine)
{
    result_.match = parseCddbMatch(matchLine);
    if (!result_.match || request_.mode == Mode::QueryOnly)
        end();
    else
        read(result_.match->category, result_.match->discId);
}

void CddbLookupMachine::read(std::string category, std::string discId)
{
    status("Loading ...");
    state_ = State::Read;
    request(cddbReadCommand(category, discId));
}

void CddbLookupMachine::end()
{
    state_ = State::Done;
    finish(needsQuit_, "Disconnecting ...");
}

}  // namespace lookup
