#include "lookup/musicbrainz_exchange_runner.h"

namespace lookup {

MusicBrainzExchangeRunner::MusicBrainzExchangeRunner(MusicBrainzService service, platform::HttpGetter& http,
                                                     MusicBrainzRateLimit& limit, QObject* parent)
    : QObject(parent), service_(std::move(service)), http_(http), limit_(limit)
{
    wait_.cancelled = &cancelled_;
}

MusicBrainzExchangeRunner::~MusicBrainzExchangeRunner()
{
    cancelled_ = true;
    if (worker_.joinable())
        worker_.join();
}

void MusicBrainzExchangeRunner::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read)
{
    wait_.connectTimeout = connect;
    wait_.readTimeout = read;
}

bool MusicBrainzExchangeRunner::startDiscLookup(const platform::DiscToc& toc)
{
    return start([this, toc](MusicBrainzClient& client) {
        finish([this, result = client.lookupDisc(toc)] { emit lookupFinished(result); });
    });
}

bool MusicBrainzExchangeRunner::startBarcodeSearch(const std::string& barcode)
{
    return start([this, barcode](MusicBrainzClient& client) {
        finish([this, result = client.searchBarcode(barcode)] { emit lookupFinished(result); });
    });
}

bool MusicBrainzExchangeRunner::startRelease(const std::string& releaseId)
{
    return start([this, releaseId](MusicBrainzClient& client) {
        finish([this, result = client.release(releaseId)] { emit lookupFinished(result); });
    });
}

bool MusicBrainzExchangeRunner::startCoverDownload(const std::string& releaseId, const std::string& folder)
{
    return start([this, releaseId, folder](MusicBrainzClient& client) {
        finish([this, result = client.downloadFrontCover(releaseId, folder)] { emit coverFinished(result); });
    });
}

void MusicBrainzExchangeRunner::cancel() { cancelled_ = true; }

bool MusicBrainzExchangeRunner::start(std::function<void(MusicBrainzClient& client)> work)
{
    if (busy())
        return false;
    cancelled_ = false;
    // The worker gets its own copies: the service may change meanwhile.
    worker_ = std::thread([this, work = std::move(work), service = service_, wait = wait_] {
        MusicBrainzClient client(service, http_, limit_);
        client.setWait(wait);
        work(client);
    });
    return true;
}

void MusicBrainzExchangeRunner::finish(std::function<void()> emitResult)
{
    QMetaObject::invokeMethod(
        this,
        [this, emitResult = std::move(emitResult)] {
            worker_.join();
            emitResult();
        },
        Qt::QueuedConnection);
}

}  // namespace lookup
