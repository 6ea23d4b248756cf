#include "lookup/cddb_exchange_runner.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace lookup {
namespace {

// Where the owner thread leaves the chooser's answer for the worker.
struct ChoiceSlot {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::optional<std::size_t> choice;
};

}  // namespace

CddbExchangeRunner::CddbExchangeRunner(CddbServer server, CddbHello hello, platform::LineConnector& tcp,
                                       platform::HttpGetter& http, QObject* parent)
    : QObject(parent), server_(std::move(server)), hello_(std::move(hello)), tcp_(tcp), http_(http)
{
    wait_.cancelled = &cancelled_;
}

CddbExchangeRunner::~CddbExchangeRunner()
{
    cancelled_ = true;
    joinWorker();
}

void CddbExchangeRunner::setServer(CddbServer server, CddbHello hello)
{
    server_ = std::move(server);
    hello_ = std::move(hello);
}

void CddbExchangeRunner::followSettings(const settings::ProgramSettings& settings, std::string version)
{
    followed_ = &settings;
    version_ = std::move(version);
}

void CddbExchangeRunner::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read)
{
    wait_.connectTimeout = connect;
    wait_.readTimeout = read;
}

bool CddbExchangeRunner::startLookup(const std::string& query)
{
    return start([this, query](CddbClient& client) {
        post([this, result = client.lookup(query)] {
            joinWorker();
            emit lookupFinished(result);
        });
    });
}

bool CddbExchangeRunner::startSites()
{
    return start([this](CddbClient& client) {
        post([this, result = client.listSites()] {
            joinWorker();
            emit sitesFinished(result);
        });
    });
}

bool CddbExchangeRunner::startCategories()
{
    return start([this](CddbClient& client) {
        post([this, result = client.listCategories()] {
            joinWorker();
            emit categoriesFinished(result);
        });
    });
}

void CddbExchangeRunner::cancel() { cancelled_ = true; }

bool CddbExchangeRunner::start(std::function<void(CddbClient& client)> work)
{
    if (busy())
        return false;
    cancelled_ = false;
    if (followed_)
        setServer(cddbServerFromSettings(*followed_), CddbHello(followed_->mail, version_));
    // The worker gets its own copies: the settings may change meanwhile.
    worker_ = std::thread([this, work = std::move(work), server = server_, hello = hello_, wait = wait_] {
        CddbClient client(server, hello, tcp_, http_);
        client.setWait(wait);
        client.setStatusReport([this](const std::string& text) { post([this, text] { emit statusChanged(text); }); });
        client.setChooser([this](const std::vector<std::string>& matches) { return chooseOnOwnerThread(matches); });
        work(client);
    });
    return true;
}

void CddbExchangeRunner::post(std::function<void()> call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

std::optional<std::size_t> CddbExchangeRunner::chooseOnOwnerThread(const std::vector<std::string>& matches)
{
    auto slot = std::make_shared<ChoiceSlot>();
    post([this, slot, matches] {
        const auto choice = chooser_ ? chooser_(matches) : std::nullopt;
        const std::lock_guard lock(slot->mutex);
        slot->choice = choice;
        slot->done = true;
        slot->answered.notify_all();
    });
    std::unique_lock lock(slot->mutex);
    while (!slot->answered.wait_for(lock, platform::kCancelPollInterval, [&] { return slot->done; })) {
        if (cancelled_)
            return std::nullopt;
    }
    return slot->choice;
}

void CddbExchangeRunner::joinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

}  // namespace lookup
