#include "app/ui/engine_fault_offer.h"

#include <QTimer>

#include "common/ansi_text.h"

namespace app::ui {
namespace {

constexpr int kRetryMs = 250;

}  // namespace

EngineFaultOffer::EngineFaultOffer(common::Prompter& prompter, std::function<bool()> rebuild,
                                   std::function<bool()> canAskNow, QObject* parent)
    : QObject(parent), prompter_(prompter), rebuild_(std::move(rebuild)), canAskNow_(std::move(canAskNow))
{
}

void EngineFaultOffer::report(const QString& message)
{
    unrepaired_ = true;
    if (pending_ || declined_.contains(message))
        return;
    pending_ = true;
    message_ = message;
    // Never from inside a paint or a model call: from the event loop.
    QTimer::singleShot(0, this, &EngineFaultOffer::ask);
}

void EngineFaultOffer::ask()
{
    if (!canAskNow_()) {
        QTimer::singleShot(kRetryMs, this, &EngineFaultOffer::ask);
        return;
    }
    const bool yes = prompter_.confirm(common::toAnsi(message_) + std::string(kRebuildQuestion));
    // From here an error is news: one met while showing the rebuilt
    // catalogue is asked about again.
    pending_ = false;
    if (!yes) {
        declined_.insert(message_);
        return;
    }
    declined_.clear();
    unrepaired_ = false;
    if (!rebuild_())
        unrepaired_ = true;
}

}  // namespace app::ui
