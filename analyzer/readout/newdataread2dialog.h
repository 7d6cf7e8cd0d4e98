#pragma once

#include "readout/readoutmachine.h"
#include "readout/readoutpreparation.h"
#include "readout/readoutrange.h"

#include <QDialog>
#include <array>
#include <memory>

class QButtonGroup;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class QTableView;

namespace zt {

class DialogService;
class SerialLink;
struct SettingsRecords;

// `NewDataRead2`: the user picks transmitters and a time range, then the dialog runs
// the read-out and stays up, with its progress, until it ends. The port is open (the
// preparation left it so) and is closed whatever the outcome.
class NewDataRead2Dialog : public QDialog
{
    Q_OBJECT
public:
    NewDataRead2Dialog(SerialLink &link, SettingsRecords &settings, ReadoutSurvey survey,
                       DialogService &dialogs, QString readMarksPath, QWidget *parent = nullptr);
    ~NewDataRead2Dialog() override;

    // The new set after a read-out that ended well; empty otherwise.
    std::unique_ptr<LogSet> takeSet() { return std::move(taken); }

    // The range the controls describe now (`ReadDataSel`, calendar, hours, end date).
    ReadRange range() const;
    std::array<bool, MaxKo> selection() const;
    // The plan shown in the grid for a slot (count 0 when not chosen or nothing to read).
    ReadPlan shownPlan(int koNo) const { return plans[std::size_t(koNo - 1)]; }
    int rowOf(int koNo) const;

    QTableView *grid() const { return SoshinSelGrid; }
    QPushButton *allSenderButton() const { return AllSenderSelect; }
    QRadioButton *dateChoice() const { return dateSel; }
    QRadioButton *allDataChoice() const { return allSel; }
    QCalendarWidget *calendar() const { return MonthView1; }
    QComboBox *startHour() const { return startTime; }
    QComboBox *endHour() const { return endTime; }
    QComboBox *endDate() const { return Comboendtime; }
    QProgressBar *slotBar() const { return ProgressBar1; }
    QProgressBar *sampleBar() const { return ProgressBar2; }
    QLabel *statusText() const { return ReadStatusDisp; }
    QPushButton *readButton() const { return readBtn; }
    QPushButton *cancelButton() const { return cancelBtn; }
    ReadoutMachine &machine() { return *readout; }

    // "読出し": checks the range, asks, and starts the read-out.
    void startReading();
    // "Cancel": asks the read-out to stop between two exchanges, or closes the dialog.
    void cancelReading();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    QWidget *buildHeader();
    QWidget *buildGrid();
    QWidget *buildRange();
    QWidget *buildProgress();
    void fillGrid();
    void fitGridToColumns();
    void limitCalendar();
    void fillEndDates();
    void recalculate();
    void showPlan(int koNo);
    void setAllSelected(bool selected);
    void updateAllButton();
    void setChoosing(bool enabled);
    void onStateChanged(ReadoutMachine::State state);
    void endWithStatus(int kind, const QStringList &extra = {});

    SerialLink &link;
    SettingsRecords &settings;
    ReadoutSurvey survey;
    DialogService &dialogs;
    std::unique_ptr<ReadoutMachine> readout;
    std::unique_ptr<LogSet> taken;
    std::array<ReadPlan, MaxKo> plans{};
    std::array<int, MaxKo> rows{}; // grid row of each slot, -1 when not registered
    bool filling = false;

    QStandardItemModel *model;
    QTableView *SoshinSelGrid;
    QPushButton *AllSenderSelect;
    QRadioButton *dateSel;
    QRadioButton *allSel;
    QButtonGroup *ReadDataSel;
    QCalendarWidget *MonthView1;
    QLabel *Labelstart;
    QComboBox *startTime;
    QComboBox *endTime;
    QComboBox *Comboendtime;
    QProgressBar *ProgressBar1;
    QProgressBar *ProgressBar2;
    QLabel *ReadStatusDisp;
    QPushButton *readBtn;
    QPushButton *cancelBtn;
};

// "yy-mm-dd hh:nn" of the grid.
QString gridTime(const QDateTime &t);

} // namespace zt
