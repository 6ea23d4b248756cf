#include "platform/desktop/qt_desktop_launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

// A path with a scheme-less start is a local file; everything else is
// taken as written so anchors and mailto bodies survive.
QUrl addressUrl(const QString& address)
{
    if (address.startsWith('/'))
        return QUrl::fromLocalFile(address);
    const QUrl url(address, QUrl::TolerantMode);
    if (url.scheme().isEmpty())
        return QUrl::fromLocalFile(QFileInfo(address).absoluteFilePath());
    return url;
}

}  // namespace

bool QtDesktopLauncher::openAddress(const QString& address)
{
    return QDesktopServices::openUrl(addressUrl(address));
}

bool QtDesktopLauncher::startProgram(const QString& program, const QString& argument)
{
    return QProcess::startDetached(program, {argument});
}

}  // namespace platform
