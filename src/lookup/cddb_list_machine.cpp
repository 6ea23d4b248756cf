#include "lookup/cddb_list_machine.h"

#include "common/trim_and_case.h"
#include "lookup/cddb_lookup_machine.h"

namespace lookup {

CddbListMachine::CddbListMachine(List list, CddbTransport transport, std::string helloLine)
    : CddbMachine(transport), list_(list), helloLine_(std::move(helloLine))
{
    status(list_ == List::Sites ? "Retrieving remote database mirror choices ..."
                                : "Connecting to remote database ...");
    if (overTcp())
        receive();
    else
        ask();
}

void CddbListMachine::onLine(std::string_view line)
{
    switch (state_) {
    case State::Greeting:
        if (list_ == List::Sites) {
            ask();
        } else {
            state_ = State::Hello;
            request(helloLine_);
        }
        return;
    case State::Hello:
        if (auto refusal = CddbLookupMachine::helloRefusal(line)) {
            result_.message = std::move(*refusal);
            end();
        } else
            ask();
        return;
    case State::Reply:
        if (cddbCode(line) == "210") {
            collectList();
        } else {
            result_.message = "The remote database answered: " + std::string(line);
            end();
        }
        return;
    case State::Done:
        return;
    }
}

void CddbListMachine::onLines(std::vector<std::string> lines)
{
    if (list_ == List::Categories) {
        result_.items = std::move(lines);
        result_.found = result_.items.size() > kMinCategories;
    } else {
        // A server lists each host once for every way to reach it.
        std::string previous = "x";
        for (const std::string& line : lines) {
            if (common::trimmed(line).size() <= 2)
                continue;
            std::string host = line.substr(0, line.find(' '));
            if (host != previous)
                result_.items.push_back(host);
            previous = std::move(host);
        }
        result_.found = !result_.items.empty();
    }
    end();
}

void CddbListMachine::ask()
{
    state_ = State::Reply;
    if (list_ == List::Sites) {
        request("sites");
    } else {
        status("Retrieving genre (category) choices ...");
        request("cddb lscat");
    }
}

void CddbListMachine::end()
{
    state_ = State::Done;
    finish(true);
}

}  // namespace lookup
