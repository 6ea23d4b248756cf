#include "app/action_guard.h"

#include <exception>

#include "app/ansi_text.h"

namespace app {

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

}  // namespace app
