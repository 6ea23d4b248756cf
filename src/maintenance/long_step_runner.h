#pragma once

#include <functional>
#include <string>

#include "common/progress.h"

namespace maintenance {

// Runs a long step of a flow off the window thread, its progress shown with
// `label` (Windows-1252), and returns when it ends; rethrows what it threw.
// `stoppable` says whether the user may be offered Cancel. Tests run the
// step at once.
using LongStepRunner = std::function<void(const std::string& label, bool stoppable,
                                          const std::function<void(common::Progress&)>& step)>;

}  // namespace maintenance
