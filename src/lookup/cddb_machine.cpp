#include "lookup/cddb_machine.h"

#include "lookup/xmcd_text.h"

namespace lookup {

CddbStep CddbMachine::next()
{
    if (steps_.empty())
        return {};
    CddbStep step = std::move(steps_.front());
    steps_.pop_front();
    return step;
}

void CddbMachine::feed(std::string_view line)
{
    if (finished_)
        return;
    line = xmcd::withoutLineEnd(line);
    if (collecting_ == Collecting::Nothing) {
        onLine(line);
        return;
    }
    const bool endOfList = !line.empty() && line.front() == '.';
    const bool lastOfEntry = collecting_ == Collecting::Entry && line.rfind("PLAY", 0) == 0;
    if (!endOfList) {
        collectedBytes_ += line.size();
        if (collected_.size() >= kMaxReplyLines || collectedBytes_ > kMaxReplyBytes) {
            fail(Failure::TooLong);
            return;
        }
        collected_.emplace_back(line);
    }
    if (endOfList || lastOfEntry) {
        collecting_ = Collecting::Nothing;
        collectedBytes_ = 0;
        onLines(std::exchange(collected_, {}));
    } else {
        receive();
    }
}

void CddbMachine::feedEnd()
{
    if (!finished_)
        fail(Failure::CutShort);
}

void CddbMachine::choose(std::optional<std::size_t>) {}

void CddbMachine::status(std::string text) { steps_.push_back({CddbStep::Kind::Status, std::move(text), {}}); }

void CddbMachine::request(std::string command)
{
    steps_.push_back({CddbStep::Kind::Send, std::move(command), {}});
    receive();
}

void CddbMachine::receive() { steps_.push_back({CddbStep::Kind::Receive, {}, {}}); }

void CddbMachine::ask(std::vector<std::string> items)
{
    steps_.push_back({CddbStep::Kind::Choose, {}, std::move(items)});
}

void CddbMachine::finish(bool quit, std::string_view quitStatus)
{
    if (quit && overTcp()) {
        if (!quitStatus.empty())
            status(std::string(quitStatus));
        steps_.push_back({CddbStep::Kind::Quit, "quit", {}});
    }
    finished_ = true;
}

void CddbMachine::collectList()
{
    collecting_ = Collecting::List;
    receive();
}

void CddbMachine::collectEntry()
{
    collecting_ = Collecting::Entry;
    receive();
}

void CddbMachine::fail(Failure failure)
{
    failure_ = failure;
    finished_ = true;
    collecting_ = Collecting::Nothing;
    collected_.clear();
    steps_.clear();
}

}  // namespace lookup
