#pragma once

#include <QDialog>

class QCheckBox;

namespace zt {

class AnalyzerSession;
class DialogService;

// `FormUraMenu` (F10 in the list): the automatic save and monitor start after a read-out.
class ExtraOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    ExtraOptionsDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    QCheckBox *checkBox() const { return MenuCheck1; }
    void commit(); // "OK"

private:
    AnalyzerSession &session;
    DialogService &dialogs;
    QCheckBox *MenuCheck1;
};

} // namespace zt
