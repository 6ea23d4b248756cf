#include "lookup/mail_send_runner.h"

#include <exception>

#include "platform/net_error.h"

namespace lookup {

MailSendRunner::MailSendRunner(platform::MailSender& sender, QObject* parent) : QObject(parent), sender_(sender)
{
    wait_.cancelled = &cancelled_;
}

MailSendRunner::~MailSendRunner()
{
    cancelled_ = true;
    joinWorker();
}

void MailSendRunner::setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds read)
{
    wait_.connectTimeout = connect;
    wait_.readTimeout = read;
}

bool MailSendRunner::start(platform::MailServer server, platform::MailMessage message)
{
    if (busy())
        return false;
    cancelled_ = false;
    worker_ = std::thread([this, server = std::move(server), message = std::move(message), wait = wait_] {
        MailSendOutcome outcome;
        try {
            sender_.send(server, message, wait);
        } catch (const platform::NetError& e) {
            outcome.result = e.kind() == platform::NetError::Kind::Cancelled ? MailSendOutcome::Result::Cancelled
                                                                               : MailSendOutcome::Result::Failed;
            outcome.message = e.what();
        } catch (const std::exception& e) {
            outcome.result = MailSendOutcome::Result::Failed;
            outcome.message = e.what();
        }
        QMetaObject::invokeMethod(
            this,
            [this, outcome = std::move(outcome)] {
                joinWorker();
                emit finished(outcome);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void MailSendRunner::cancel() { cancelled_ = true; }

void MailSendRunner::joinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

}  // namespace lookup
