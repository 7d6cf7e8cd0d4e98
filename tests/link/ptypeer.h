#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;

// The receiver's end of a pseudo-terminal, answering each frame the link writes.
// Runs on the test's own event loop.
class PtyPeer : public QObject
{
    Q_OBJECT
public:
    // What the peer does with one frame.
    struct Answer
    {
        QByteArray bytes; // written back as is
        bool silent = false;
        bool hangUp = false;
    };
    using Responder = std::function<Answer(const QByteArray &frame)>;

    PtyPeer();
    ~PtyPeer() override;

    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_path; }

    // Scripted answers are used first, in order; then the responder.
    void queue(const Answer &answer) { m_script.append(answer); }
    void setResponder(Responder responder) { m_responder = std::move(responder); }
    // Answers are written after this many milliseconds (0: at once).
    void setReplyDelay(int ms) { m_delayMs = ms; }
    void write(const QByteArray &bytes);
    void hangUp();

    // Frames received so far, each from STX to LF.
    const QList<QByteArray> &frames() const { return m_frames; }

    static Answer reply(const QByteArray &text); // STX text ETX CR LF
    static Answer silence() { return {{}, true, false}; }
    static Answer hangUpAnswer() { return {{}, false, true}; }

signals:
    void frameReceived(const QByteArray &frame);

private:
    void onReadable();
    void answer(const QByteArray &frame);

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending;
    QList<QByteArray> m_frames;
    QList<Answer> m_script;
    Responder m_responder;
    int m_delayMs = 0;
};
