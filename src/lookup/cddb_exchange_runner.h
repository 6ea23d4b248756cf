#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <QObject>

#include "lookup/cddb_client.h"
#include "settings/program_settings.h"

namespace lookup {

// Runs one CDDB exchange at a time on a worker thread, so the windows keep
// painting while the server is slow. Progress texts, the choice among
// several matches and the outcome reach this object's thread through its
// event loop; cancel() makes the running exchange end within a fraction of
// a second with the outcome Cancelled.
class CddbExchangeRunner : public QObject {
    Q_OBJECT
public:
    // The transports must outlive the runner.
    CddbExchangeRunner(CddbServer server, CddbHello hello, platform::LineConnector& tcp, platform::HttpGetter& http,
                       QObject* parent = nullptr);
    // Cancels a running exchange and waits for its thread.
    ~CddbExchangeRunner() override;
    CddbExchangeRunner(const CddbExchangeRunner&) = delete;
    CddbExchangeRunner& operator=(const CddbExchangeRunner&) = delete;

    // For the next exchange (the options changed the server or the hello).
    void setServer(CddbServer server, CddbHello hello);
    // From now on each exchange takes its server and hello from `settings`
    // as they are when it starts (the options change them while the
    // program runs). `settings` must outlive the runner.
    void followSettings(const settings::ProgramSettings& settings, std::string version);
    // The waits of every step (connect 20 s and each read 60 s unless set).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read);
    // Asked on this object's thread while the exchange waits for the answer.
    void setChooser(CddbClient::Chooser chooser) { chooser_ = std::move(chooser); }

    bool busy() const { return worker_.joinable(); }

    // Each starts its exchange and returns true; false, starting nothing,
    // while another exchange runs.
    bool startLookup(const std::string& query);
    bool startSites();
    bool startCategories();

public slots:
    void cancel();

signals:
    void statusChanged(const std::string& text);
    void lookupFinished(const lookup::CddbLookupResult& result);
    void sitesFinished(const lookup::CddbListResult& result);
    void categoriesFinished(const lookup::CddbListResult& result);

private:
    bool start(std::function<void(CddbClient& client)> work);
    // Runs `call` on this object's thread, after what is already queued.
    void post(std::function<void()> call);
    // From the worker: the chooser's answer, or nothing when cancelled.
    std::optional<std::size_t> chooseOnOwnerThread(const std::vector<std::string>& matches);
    void joinWorker();

    CddbServer server_;
    CddbHello hello_;
    const settings::ProgramSettings* followed_ = nullptr;
    std::string version_;
    platform::LineConnector& tcp_;
    platform::HttpGetter& http_;
    platform::NetWait wait_;
    CddbClient::Chooser chooser_;
    std::atomic<bool> cancelled_{false};
    std::thread worker_;
};

}  // namespace lookup
