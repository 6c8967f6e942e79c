// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program's end of the hand-over: takes paths from later starts of
// the same user, answers at once so that they can end, and hands each path
// to the handler on the user-interface thread once its sender confirmed. A
// path waits while a modal window or a popup menu is open (the document
// must not change under a dialog) and while the handler is still busy with
// the previous one.
//
// The server never gives up its socket while it runs. When descriptors run
// short (accept fails) or many connections are open at once, it stops
// accepting for a moment and goes on; what connects meanwhile waits in the
// socket's backlog. A connection that does not finish is dropped after a
// time-out, so idle connections hold no descriptor for long.

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sys/types.h>

class HandOverConnection;
class QSocketNotifier;

class HandOverServer : public QObject {
    Q_OBJECT
public:
    explicit HandOverServer(QString name, QObject* parent = nullptr);
    ~HandOverServer() override;

    // Becomes the server. A socket left by a program that crashed is removed
    // first; a live server of another program is left alone (false).
    bool Listen();
    bool IsListening() const { return listener_ >= 0; }
    const QString& Name() const { return name_; }

    // Where paths go, with the activation token their sender passed (empty
    // from a sender without one); they wait until a handler is set.
    using Handler = std::function<void(const QString& path, const QByteArray& token)>;
    void SetHandler(Handler handler);
    void SetHandler(const std::function<void(const QString&)>& pathHandler);
    // Confirmed paths that wait for the handler.
    int PendingCount() const { return int(pending_.size()); }

    // True when a program answers on name.
    static bool IsAlive(const QString& name);

private:
    bool Bind();
    void Accept();
    void PauseAccepting();
    void ResumeAccepting();
    void Adopt(int fd);
    void Forget(HandOverConnection* connection);
    void OnReadyRead(HandOverConnection* connection);
    void TakeRequest(HandOverConnection* connection);
    void TakeConfirmation(HandOverConnection* connection, char byte);
    void GiveUp(HandOverConnection* connection);
    void Reply(HandOverConnection* connection, char answer);
    void ScheduleDelivery();
    void Deliver();

    QString name_;
    int listener_ = -1;
    dev_t socketDevice_ = 0; // the socket file this server made
    ino_t socketInode_ = 0;
    std::unique_ptr<QSocketNotifier> incoming_;
    QTimer resume_;
    std::set<HandOverConnection*> clients_; // open connections
    struct HandedFile {
        QString path;
        QByteArray token;
    };
    // Accepted, not yet confirmed: the file of each such connection.
    std::map<HandOverConnection*, HandedFile> unconfirmed_;
    std::deque<HandedFile> pending_;
    Handler handler_;
    QTimer retry_;
    bool delivering_ = false;
};
