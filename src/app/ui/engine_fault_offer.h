#pragma once

#include <functional>
#include <string_view>

#include <QObject>
#include <QSet>
#include <QString>

#include "common/prompter.h"

namespace app::ui {

// Engine errors met outside a user's action (painting a grid, an item model,
// a grid's own moves, the application's last guard) mostly mean a damaged
// index. They are shown once, with the engine's message and the offer to
// rebuild the indexes. A grid that fails keeps failing on every paint, so
// what is reported while the question waits or is open is dropped, and an
// error the user chose not to repair is not asked about again in this run
// (a different one is).
class EngineFaultOffer : public QObject {
    Q_OBJECT
public:
    static constexpr std::string_view kRebuildQuestion = "\r\rRebuild the indexes now?";

    // `rebuild` rebuilds the indexes and shows the catalogue again, reports
    // its own failure and returns whether it succeeded. `canAskNow` tells
    // whether nothing else works on the tables at the moment (no modal
    // window, no long step); the question waits until then.
    EngineFaultOffer(common::Prompter& prompter, std::function<bool()> rebuild, std::function<bool()> canAskNow,
                     QObject* parent = nullptr);

    // Queues the question with `message` (the engine's text) unless one is
    // queued or open.
    void report(const QString& message);
    // An error was reported and the indexes were not rebuilt since.
    bool unrepaired() const { return unrepaired_; }

private:
    void ask();

    common::Prompter& prompter_;
    std::function<bool()> rebuild_;
    std::function<bool()> canAskNow_;
    QString message_;
    QSet<QString> declined_;
    bool pending_ = false;
    bool unrepaired_ = false;
};

}  // namespace app::ui
