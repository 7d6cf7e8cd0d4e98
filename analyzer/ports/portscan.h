#pragma once

#include <QObject>
#include <functional>

namespace zt {

class SerialLink;

// The automatic port search: ports 1..16 in turn (one may be skipped), each opened
// and asked "05"; the first that answers with a receiver identification wins.
class PortScan : public QObject
{
    Q_OBJECT
public:
    using DeviceOf = std::function<QString(int portNo)>;
    PortScan(SerialLink &link, DeviceOf deviceOf, QObject *parent = nullptr);

    // The port found, or 0. Returns early with 0 after cancel().
    int run(int skipPort);
    void cancel();
    bool cancelled() const { return stop; }

signals:
    void scanning(int portNo);

private:
    SerialLink &link;
    DeviceOf deviceOf;
    bool stop = false;
};

} // namespace zt
