#pragma once

#include <QDialog>

class QComboBox;

namespace zt {

class AnalyzerSession;
class DialogService;

// `fOyaDel`: removes a registered receiver with its transmitter names.
class OyaDelDialog : public QDialog
{
    Q_OBJECT
public:
    OyaDelDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    QComboBox *nameList() const { return coOyaDelName; }
    void commit(); // the "削除" button

private:
    void refill();

    AnalyzerSession &session;
    DialogService &dialogs;
    QComboBox *coOyaDelName;
};

} // namespace zt
