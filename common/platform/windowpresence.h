#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// How the two programs find each other's windows: each open window publishes its
// title as a local socket; "is it open" is a connect attempt, "bring it to the front"
// a message on that socket. The single-instance check uses the same mechanism.
namespace zt {

// Derived from the user, the settings folder (so a demo or test folder never meets the
// user's own programs) and the title.
QString presenceSocketName(const QString &title);

class WindowPresence : public QObject
{
    Q_OBJECT
public:
    explicit WindowPresence(const QString &title, QObject *parent = nullptr);
    ~WindowPresence() override;

    // Starts answering for the title; false when another process already does.
    bool publish();
    void withdraw();
    bool isPublished() const;

signals:
    void raiseRequested();

private:
    QString title;
    QLocalServer *server = nullptr;
};

// True when some process publishes a window with this title.
bool isWindowOpen(const QString &title);
// Asks the publisher of the title to come to the front; false when none answers.
bool raiseWindow(const QString &title);

} // namespace zt
