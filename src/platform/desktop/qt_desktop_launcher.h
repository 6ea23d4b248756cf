#pragma once

#include "platform/desktop_launcher.h"

namespace platform {

// Qt's association lookup (xdg-open on Linux) and detached processes.
class QtDesktopLauncher : public DesktopLauncher {
public:
    bool openAddress(const QString& address) override;
    bool startProgram(const QString& program, const QString& argument) override;
};

}  // namespace platform
