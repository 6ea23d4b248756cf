#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <QObject>

#include "lookup/musicbrainz_client.h"

namespace lookup {

// Runs one MusicBrainz or Cover Art Archive request at a time on a worker
// thread, so the windows keep painting while the service is slow or the
// rate limit holds a request back. The outcome reaches this object's
// thread through its event loop; cancel() makes the running request end
// within a fraction of a second with the outcome Cancelled.
class MusicBrainzExchangeRunner : public QObject {
    Q_OBJECT
public:
    // `http` and `limit` must outlive the runner.
    MusicBrainzExchangeRunner(MusicBrainzService service, platform::HttpGetter& http,
                              MusicBrainzRateLimit& limit = MusicBrainzRateLimit::processWide(),
                              QObject* parent = nullptr);
    // Cancels a running request and waits for its thread.
    ~MusicBrainzExchangeRunner() override;
    MusicBrainzExchangeRunner(const MusicBrainzExchangeRunner&) = delete;
    MusicBrainzExchangeRunner& operator=(const MusicBrainzExchangeRunner&) = delete;

    // For the next request (the options changed an address or the mail).
    void setService(MusicBrainzService service) { service_ = std::move(service); }
    // The waits of every request (connect 20 s and each read 60 s unless set).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read);

    bool busy() const { return worker_.joinable(); }

    // Each starts its request (MusicBrainzClient's of the same name) and
    // returns true; false, starting nothing, while another one runs.
    bool startDiscLookup(const platform::DiscToc& toc);
    bool startBarcodeSearch(const std::string& barcode);
    bool startRelease(const std::string& releaseId);
    bool startCoverDownload(const std::string& releaseId, const std::string& folder);

public slots:
    void cancel();

signals:
    // After a disc lookup, a bar-code search or a release.
    void lookupFinished(const lookup::MusicBrainzClient::Result& result);
    void coverFinished(const lookup::MusicBrainzClient::CoverResult& result);

private:
    bool start(std::function<void(MusicBrainzClient& client)> work);
    // Joins the worker and emits on this object's thread, after what is
    // already queued.
    void finish(std::function<void()> emitResult);

    MusicBrainzService service_;
    platform::HttpGetter& http_;
    MusicBrainzRateLimit& limit_;
    platform::NetWait wait_;
    std::atomic<bool> cancelled_{false};
    std::thread worker_;
};

}  // namespace lookup
