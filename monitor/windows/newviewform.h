#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QPushButton;
class QTableView;

namespace zt {

class ContactFrame;
class ListGridModel;
class MonitorCycle;
class TGridModel;

// `NewViewForm`, "送信器データ一覧": every slot's newest reading and alarm states, the
// receiver's clock and contacts, and the selected transmitter's records. It never
// closes itself: the close box and "監視の終了" ask for the end of monitoring.
class NewViewForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit NewViewForm(MonitorCycle &cycle, QWidget *parent = nullptr);

    // The opening steps that read the cycle (labels, contacts, rows).
    void refreshAll();
    // AlarmCancelB also serves a battery alarm contact (contact settings value 1).
    void setReleaseCoversBattery(bool covers);
    // Lets the program's end close the window.
    void allowClose() { closing = true; }

    // Clicks of a slot row's cell, as the user makes them.
    void clickCell(int koNo, int column);
    void clickShownKoLabel();

    ListGridModel *listModel() const { return listModelPtr; }
    TGridModel *recordModel() const { return recordModelPtr; }
    QTableView *listGrid() const { return ListGrid; }
    QTableView *recordGrid() const { return TGrid; }
    QLabel *shownKoLabel() const { return KokiNoDisp; }
    QLabel *timeLabel() const { return OyaTimeDisplay; }
    QLabel *infoLabel() const { return InfoDisp; }
    ContactFrame *contactFrame() const { return contacts; }
    QAction *action(const QString &name) const;

signals:
    void endRequested();
    void dataSaveRequested();
    void logWindowRequested();
    void alarmSettingsRequested();
    void contactSettingsRequested();
    void periodicOptionsRequested();
    void contactReleaseRequested();
    // Column 8 of a monitored slot: its release needs confirming.
    void monitorReleaseRequested(int koNo);
    void minimisedChanged(bool minimised);

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    QWidget *buildCentral();
    void sizeGrids();
    void onListClicked(const QModelIndex &index);
    void selectKo(int koNo);
    void refreshReceiver();
    void onRecordsStored(int koNo);

    MonitorCycle &cycle;
    ListGridModel *listModelPtr;
    TGridModel *recordModelPtr;
    QTableView *ListHead = nullptr; // the two fixed header rows of ListGrid
    QTableView *ListGrid = nullptr;
    QWidget *headSpacer = nullptr;
    QTableView *TGrid = nullptr;
    QLabel *OyaNameDisp = nullptr;
    QLabel *KokiNoDisp = nullptr;
    QLabel *OyaTimeDisplay = nullptr;
    QLabel *InfoDisp = nullptr;
    ContactFrame *contacts = nullptr;
    bool releaseCoversBattery = false;
    bool closing = false;
};

} // namespace zt
