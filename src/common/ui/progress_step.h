#pragma once

#include <functional>

#include <QString>

#include "common/progress.h"

class QWidget;

namespace common::ui {

// Whether the user may stop a step from its progress window.
enum class Stopping { NotAllowed, Allowed };

// Object name of the progress window, for tests and screenshots.
inline constexpr const char* kProgressWindowName = "progressStepWindow";

// Runs `step` in a worker thread while a modal progress window over
// `parent` shows `label` and the step's done / total (a busy bar until it
// first reports), with a Cancel button when `stopping` allows it. Cancel
// only asks (Progress::cancelRequested); the step ends by its own rule.
// The window cannot be closed otherwise while the step runs. Returns when
// the step ends; rethrows what it threw, on this thread.
// Requires: nothing else touches what `step` works on meanwhile.
void runWithProgress(QWidget* parent, const QString& label, Stopping stopping,
                     const std::function<void(common::Progress&)>& step);

}  // namespace common::ui
