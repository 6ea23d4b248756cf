#pragma once

#include <QObject>

class QSocketNotifier;

namespace app::ui {

// SIGTERM and SIGINT (a logout, `kill`, Ctrl+C in a terminal) reach the
// program as the signal `received` from its event loop, so it can end as
// the window's close ends it. The handler itself only writes a byte to a
// pipe that the event loop watches. One object per process; the default
// handling comes back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received();

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace app::ui
