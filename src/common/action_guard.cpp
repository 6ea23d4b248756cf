#include "common/action_guard.h"

#include <exception>

#include "common/ansi_text.h"

namespace common {

bool runAction(Prompter& prompter, const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        prompter.error(toAnsi(fromMessage(e.what())));
    }
    return false;
}

}  // namespace common
