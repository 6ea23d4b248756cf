#pragma once

#include <string>

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace app {

// One running program per user and program directory. The first start
// listens on a local socket; a later start connects, asks the first to
// raise its window and ends without one of its own.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name: the application title, the user and a digest of the
    // program directory (a collection under another VINORA_HOME is another
    // program's).
    static QString serverName(const QString& title, const QString& user, const std::string& programDir);
    // The user running this process: $USER, else the user id.
    static QString currentUser();

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // Asks a running first start to raise itself: true when one is there.
    // Otherwise this process becomes the first start and listens (a socket
    // left by a crashed run is replaced). Throws xbase::XbaseError when it
    // can neither reach one nor listen.
    bool raiseRunningInstance();

signals:
    // A later start asked this one to come to the front.
    void raiseRequested();

private:
    // Sends the raise request; false when no first start listens.
    bool askRunningInstance();
    void readRequests();

    QString name_;
    QLocalServer server_;
};

}  // namespace app
