#pragma once

#include <QString>

namespace platform {

// Hands addresses and programs to the desktop, never to a shell.
class DesktopLauncher {
public:
    virtual ~DesktopLauncher() = default;

    // Opens `address` (a web address, a mailto: link, or a local file path)
    // with the application the desktop associates with it. Returns false
    // when nothing could be started for it.
    virtual bool openAddress(const QString& address) = 0;

    // Starts `program` detached with `argument` as its one argument.
    // Returns false when the program could not be started.
    virtual bool startProgram(const QString& program, const QString& argument) = 0;
};

}  // namespace platform
