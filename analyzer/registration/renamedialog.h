#pragma once

#include <QDialog>

class QComboBox;

namespace zt {

class AnalyzerSession;
class DialogService;

// `fRename`: edits receiver names and the names of their 30 transmitters.
class RenameDialog : public QDialog
{
    Q_OBJECT
public:
    RenameDialog(AnalyzerSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    QComboBox *receiverList() const { return coRenameOya; }
    QComboBox *koList() const { return coRenameKo; }
    void commit(); // the "変更登録" button

protected:
    void done(int result) override;

private:
    void receiverChosen(int index);
    void koChosen(int index);
    int currentSlot() const;

    AnalyzerSession &session;
    DialogService &dialogs;
    QComboBox *coRenameOya;
    QComboBox *coRenameKo;
    int shownKoIndex = -1;
};

} // namespace zt
