#include "common/ui/progress_step.h"

#include <atomic>
#include <exception>
#include <limits>
#include <thread>

#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace common::ui {
namespace {

constexpr int kRefreshMs = 50;
constexpr int kShowAfterMs = 300;  // short steps finish without a flash of a window

// Written by the step's thread, read by the window's.
class SharedProgress : public common::Progress {
public:
    void advance(std::size_t done, std::size_t total) override
    {
        total_.store(total, std::memory_order_relaxed);
        done_.store(done, std::memory_order_relaxed);
        reported_.store(true, std::memory_order_release);
    }
    bool cancelRequested() const override { return cancel_.load(std::memory_order_acquire); }

    void requestCancel() { cancel_.store(true, std::memory_order_release); }
    bool reported() const { return reported_.load(std::memory_order_acquire); }
    std::size_t done() const { return done_.load(std::memory_order_relaxed); }
    std::size_t total() const { return total_.load(std::memory_order_relaxed); }

private:
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<bool> reported_{false};
    std::atomic<bool> cancel_{false};
};

// Stays up until the step ends: Escape and the window's close button
// only ask to stop, like Cancel, where stopping is allowed.
class StepDialog : public QProgressDialog {
public:
    StepDialog(const QString& label, Stopping stopping, QWidget* parent)
        : QProgressDialog(label, QString(), 0, 0, parent), stopping_(stopping)
    {
        setObjectName(kProgressWindowName);
        setWindowModality(Qt::ApplicationModal);
        setAutoClose(false);
        setAutoReset(false);
        setMinimumDuration(std::numeric_limits<int>::max());  // shown by the caller's timer
        // Cancel asks the step; the window itself stays. Qt connects these by
        // name, so they are parted by name.
        disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
        if (stopping_ == Stopping::Allowed) {
            auto* button = new QPushButton(tr("Cancel"), this);
            button->setObjectName("progressCancelButton");
            setCancelButton(button);
        } else {
            setCancelButton(nullptr);
        }
    }

    void reject() override
    {
        if (stopping_ == Stopping::Allowed)
            emit canceled();
    }

private:
    Stopping stopping_;
};

// Progress bars count in int.
int scaled(std::size_t value, std::size_t total)
{
    constexpr std::size_t kMax = std::numeric_limits<int>::max();
    if (total <= kMax)
        return static_cast<int>(value);
    return static_cast<int>(static_cast<double>(value) / static_cast<double>(total) * double(kMax));
}

}  // namespace

void runWithProgress(QWidget* parent, const QString& label, Stopping stopping,
                     const std::function<void(common::Progress&)>& step)
{
    StepDialog dialog(label, stopping, parent);
    SharedProgress progress;
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        progress.requestCancel();
        dialog.setLabelText(label + "\n" + QObject::tr("Stopping ..."));
    });
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &dialog, [&] {
        if (!progress.reported())
            return;
        const std::size_t total = progress.total();
        dialog.setMaximum(scaled(total, total));
        dialog.setValue(scaled(std::min(progress.done(), total), total));
    });
    refresh.start(kRefreshMs);

    QEventLoop loop;
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        try {
            step(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(true, std::memory_order_release);
        // Queued, so it also ends a loop that has not started yet.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A short step ends before the window shows, and no input reaches any
    // window meanwhile; after that the modal window takes the input.
    QTimer::singleShot(kShowAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished.load(std::memory_order_acquire)) {
        dialog.show();
        loop.exec();
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace common::ui
