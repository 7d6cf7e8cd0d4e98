#pragma once

#include <QDialog>

class QLineEdit;

namespace zt {

class AnalyzerSession;
class DialogService;

// `fOyaset`: names and registers the receiver that the check found unregistered.
class OyaSetDialog : public QDialog
{
    Q_OBJECT
public:
    OyaSetDialog(AnalyzerSession &session, DialogService &dialogs, qint32 receiverId,
                 QWidget *parent = nullptr);

    int slot() const { return freeSlot; } // 0 when every slot is taken
    QLineEdit *nameEdit() const { return tOyaName; }
    void commit(); // the "登録" button

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    qint32 receiverId;
    int freeSlot;
    QLineEdit *tOyaName;
};

} // namespace zt
