#pragma once
// The running program's end of the hand-over: takes paths from later starts of
// the same user, answers at once so that they can end, and hands each path
// to the handler on the user-interface thread once its sender confirmed. A
// path waits while a modal window or a popup menu is open (the document
// must not change under a dialog) and while the handler is still busy with
// the previous one.

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>

class QLocalSocket;

class HandOverServer : public QObject {
    Q_OBJECT
public:
    explicit HandOverServer(QString name, QObject* parent = nullptr);
    ~HandOverServer() override;

    // Becomes the server. A socket left by a program that crashed is removed
    // first; a live server of another program is left alone (false).
    bool Listen();
    bool IsListening() const { return server_.isListening(); }
    const QString& Name() const { return name_; }

    // Where paths go; they wait until one is set.
    void SetHandler(std::function<void(const QString&)> handler);
    // Confirmed paths that wait for the handler.
    int PendingCount() const { return int(pending_.size()); }

    // True when a program answers on name.
    static bool IsAlive(const QString& name);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    void TakeRequest(QLocalSocket* socket);
    void TakeConfirmation(QLocalSocket* socket, char byte);
    void GiveUp(QLocalSocket* socket);
    void Reply(QLocalSocket* socket, char answer);
    void ScheduleDelivery();
    void Deliver();

    QString name_;
    QLocalServer server_;
    // Accepted, not yet confirmed: the path of each such connection.
    std::map<QLocalSocket*, QString> unconfirmed_;
    std::deque<QString> pending_;
    std::function<void(const QString&)> handler_;
    QTimer retry_;
    bool delivering_ = false;
};
