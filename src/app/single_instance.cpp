#include "app/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalSocket>

#include "xbase/xbase_error.h"

namespace app {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 3000;
constexpr char kRaise[] = "raise\n";
constexpr char kDone[] = "ok\n";
constexpr int kDigestChars = 12;

}  // namespace

QString SingleInstance::serverName(const QString& title, const QString& user, const std::string& programDir)
{
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(programDir), QCryptographicHash::Sha1).toHex();
    return title + "-" + user + "-" + QString::fromLatin1(digest.left(kDigestChars));
}

QString SingleInstance::currentUser()
{
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QString::number(::getuid()) : user;
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name))
{
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::readRequests);
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    // A connection means a live first start, even one too busy to answer in
    // time: it reads the request when it can. The answer only lets the
    // request leave before this process ends.
    socket.write(kRaise);
    socket.waitForBytesWritten(kAnswerMs);
    socket.waitForReadyRead(kAnswerMs);
    return true;
}

bool SingleInstance::raiseRunningInstance()
{
    if (askRunningInstance())
        return true;
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_))
        return false;
    // Another start may have begun to listen meanwhile; if nobody answers,
    // the socket file is a crashed run's.
    if (askRunningInstance())
        return true;
    QLocalServer::removeServer(name_);
    if (server_.listen(name_))
        return false;
    throw xbase::XbaseError(name_.toStdString() + ": cannot listen for later starts (" +
                            server_.errorString().toStdString() + ")");
}

void SingleInstance::readRequests()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kRaise) {
                    socket->write(kDone);
                    socket->flush();
                    emit raiseRequested();
                }
            }
        });
        if (socket->canReadLine())
            emit socket->readyRead();
    }
}

}  // namespace app
