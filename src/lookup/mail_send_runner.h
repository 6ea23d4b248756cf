#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include <QObject>

#include "platform/mail_sender.h"

namespace lookup {

struct MailSendOutcome {
    enum class Result { Accepted, Failed, Cancelled };
    Result result = Result::Accepted;
    // Why it failed, naming the server, for the user; "" otherwise.
    std::string message;
};

// Sends one message at a time on a worker thread, so the windows keep
// painting while the mail server is slow. The outcome reaches this
// object's thread through its event loop; cancel() ends a send under way
// within a fraction of a second.
class MailSendRunner : public QObject {
    Q_OBJECT
public:
    // `sender` must outlive the runner.
    explicit MailSendRunner(platform::MailSender& sender, QObject* parent = nullptr);
    // Cancels a send under way and waits for its thread.
    ~MailSendRunner() override;
    MailSendRunner(const MailSendRunner&) = delete;
    MailSendRunner& operator=(const MailSendRunner&) = delete;

    // The waits of every send (connect 20 s and each read 60 s unless set).
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read);

    bool busy() const { return worker_.joinable(); }
    // Starts sending and returns true; false, starting nothing, while
    // another send runs.
    bool start(platform::MailServer server, platform::MailMessage message);

public slots:
    void cancel();

signals:
    void finished(const lookup::MailSendOutcome& outcome);

private:
    void joinWorker();

    platform::MailSender& sender_;
    platform::NetWait wait_;
    std::atomic<bool> cancelled_{false};
    std::thread worker_;
};

}  // namespace lookup
