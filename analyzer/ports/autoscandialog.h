#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace zt {

class AnalyzerSession;
class DialogService;
class PortScan;
class SerialLink;

// `AutoScan`: searches ports 1..16 for a receiver as soon as it is shown.
class AutoScanDialog : public QDialog
{
    Q_OBJECT
public:
    // Tests give their own port devices and a short reply time-out.
    AutoScanDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr,
                   std::function<QString(int)> deviceOf = {}, int replyTimeoutMs = 2000);
    ~AutoScanDialog() override;

    PortScan &scanner() const { return *scan; }
    QPushButton *cancelButton() const { return AutoScanCancel; }
    int foundPort() const { return found; }

    // Escape and the close box end the search exactly as "Cancel" does.
    void reject() override;

private:
    void search();

    AnalyzerSession &session;
    DialogService &dialogs;
    SerialLink *link;
    PortScan *scan;
    QLabel *NowPortScanNo;
    QPushButton *AutoScanCancel;
    QTimer *PushTimer;
    int found = 0;
    bool searching = false;
};

} // namespace zt
