#pragma once

#include <functional>

namespace common::ui {

// Runs `step` in a worker thread while this thread keeps painting windows
// (user input waits), and returns when it ends; rethrows what it threw.
// Requires: nothing else touches what `step` works on meanwhile.
void runKeepingWindowsPainted(const std::function<void()>& step);

}  // namespace common::ui
