#pragma once

#include <QDialog>

class QComboBox;

namespace zt {

class AnalyzerSession;
class DialogService;

// `PORTSET`: manual choice of the serial port, tested by opening and closing it.
class PortSetDialog : public QDialog
{
    Q_OBJECT
public:
    PortSetDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    QComboBox *portList() const { return CommList; }
    void commit(); // "OK"

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    QComboBox *CommList;
};

} // namespace zt
