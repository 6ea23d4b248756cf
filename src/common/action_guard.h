#pragma once

#include <functional>

#include "common/prompter.h"

namespace common {

// The top-level handler every user action runs in: an exception ends the
// action and is shown in the error box. Returns whether the action ended
// normally.
bool runAction(Prompter& prompter, const std::function<void()>& action);

}  // namespace common
