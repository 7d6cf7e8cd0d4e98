#include "options/watchsaves.h"

#include "app/watchapp.h"
#include "engine/monitorcycle.h"
#include "link/receivercommands.h"
#include "options/settenset.h"
#include "options/teikioption.h"
#include "records/messages.h"
#include "ui/alarmsettingsdialog.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"
#include "windows/contactframe.h"

#include <QAction>
#include <QDir>
#include <QPushButton>

namespace zt {

namespace {
const QString SaveCaption = QStringLiteral("ファイルの保存");

QString singleReleaseText(int koNo)
{
    return QStringLiteral(
               "送信器%1の警報監視を解除します\n解除した送信器は警報を監視できなくなります\n"
               "よろしいですか？")
        .arg(koNo, 2, 10, QLatin1Char('0'));
}
} // namespace

WatchSaves::WatchSaves(WatchApp &app, DialogService &dialogs, QString documentsFolder,
                       QString settingsFolder, QObject *parent)
    : QObject(parent), app(app), dialogs(dialogs), documents(std::move(documentsFolder)),
      settingsDir(std::move(settingsFolder))
{
    MonitorCycle &cycle = app.cycle();
    PeriodicSaves::Hooks hooks;
    hooks.collect = [this] { return collect(); };
    hooks.emptyBuffers = [&cycle] {
        for (int k = 1; k <= MaxKo; ++k)
            cycle.buffer(k).clear();
    };
    hooks.log = [&cycle](const QString &text) { cycle.alarmLog().AlarmLogAppend(text); };
    periodic = std::make_unique<PeriodicSaves>(documents, journalPath(settingsDir), hooks);
    release = std::make_unique<ContactRelease>(cycle);

    connect(&cycle, &MonitorCycle::recordsStored, this, &WatchSaves::onRecordsStored);
    connect(&cycle, &MonitorCycle::pollReplied, this,
            [this] { periodic->automaticCheck(this->app.cycle().receiverClock()); });
    connect(periodic.get(), &PeriodicSaves::unsavedChanged, this, &WatchSaves::updateSaveAction);
    connect(periodic.get(), &PeriodicSaves::buffersEmptied, this, [this] {
        if (NewViewForm *list = this->app.listWindow())
            list->refreshAll();
    });
    connect(release.get(), &ContactRelease::slotsChanged, this, [this] {
        if (NewViewForm *list = this->app.listWindow())
            list->refreshAll();
    });
    connect(release.get(), &ContactRelease::manualReleaseFailed, this,
            [this](const QString &caption, const QString &text) {
                this->dialogs.message(this->app.listWindow(), {caption, text, 48});
            });

    WatchHooks &h = app.hooks;
    h.hasUnsavedData = [this] { return hasUnsavedRecords(); };
    h.saveData = [this](QWidget *parent, int kind) { return saveData(parent, kind); };
    h.manualDataSave = [this](QWidget *parent) { manualSave(parent); };
    h.contactRelease = [this](QWidget *parent) { contactRelease(parent); };
    h.monitorRelease = [this](QWidget *parent, int koNo) { monitorRelease(parent, koNo); };
    h.contactSettings = [this](QWidget *parent) { contactSettings(parent); };
    h.periodicOptions = [this](QWidget *parent) { periodicOptions(parent); };
    h.alarmSettings = [this](QWidget *parent) { alarmSettings(parent); };
    h.listOpened = [this] { onListOpened(); };
    h.ending = [this] { release->disarm(); };
    h.outsideStop = [this] { saveBeforeOutsideStop(); };
}

WatchSaves::~WatchSaves() = default;

QString WatchSaves::autosPath() const
{
    return QDir(settingsDir).filePath(settingsFileName(SettingsFile::AutoSave));
}

SetHeader WatchSaves::header() const
{
    const MonitorCycle &cycle = app.cycle();
    SetHeader h;
    h.oyaSlot = app.settings.oya.slotForReadout(cycle.receiverId());
    h.oyaName = app.settings.oya.nameOf(h.oyaSlot);
    h.intervalMinutes = cycle.measureInterval();
    h.koCount = cycle.koCount();
    return h;
}

CollectedData WatchSaves::collect() const
{
    const MonitorCycle &cycle = app.cycle();
    CollectedData data;
    data.header = header();
    for (int k = 1; k <= MaxKo; ++k) {
        const MonitorSlot &s = cycle.slot(k);
        const RecordBuffer &b = cycle.buffer(k);
        // A slot that stopped operating still holds records read from it: they are saved too.
        if (b.isEmpty())
            continue;
        SlotRecords r;
        r.koNo = k;
        r.koKind = s.KoKind;
        r.firstTime = b.oldestTime();
        r.limits = {s.limits.AlarmHigh1, s.limits.AlarmLow1, s.limits.AlarmHigh2,
                    s.limits.AlarmLow2};
        r.records.reserve(std::size_t(b.count()));
        for (int i = 0; i < b.count(); ++i)
            r.records.push_back({b.at(i).ch1, b.at(i).ch2});
        data.slotRecords.push_back(std::move(r));
    }
    return data;
}

bool WatchSaves::hasUnsavedRecords() const
{
    if (!periodic->unsaved())
        return false;
    for (int k = 1; k <= MaxKo; ++k)
        if (!app.cycle().buffer(k).isEmpty())
            return true;
    return false;
}

void WatchSaves::updateSaveAction()
{
    if (NewViewForm *list = app.listWindow())
        if (QAction *a = list->action(QStringLiteral("JochuDataSave")))
            a->setEnabled(hasUnsavedRecords());
}

void WatchSaves::onRecordsStored(const StoredBatch &batch)
{
    const MonitorSlot &s = app.cycle().slot(batch.koNo);
    SlotRecords r;
    r.koNo = batch.koNo;
    r.koKind = s.KoKind;
    r.firstTime = batch.firstTime;
    r.limits = {s.limits.AlarmHigh1, s.limits.AlarmLow1, s.limits.AlarmHigh2, s.limits.AlarmLow2};
    for (const MonitorRecord &m : batch.records)
        r.records.push_back({m.ch1, m.ch2});
    periodic->recordsStored(header(), r, batch.bufferEmptied);
    updateSaveAction();
}

void WatchSaves::onListOpened()
{
    MonitorCycle &cycle = app.cycle();
    const QDateTime now = cycle.receiverClock();
    periodic->setOptions(app.settings.autos);
    // Records a crash left behind come first, before this run's records join the journal.
    periodic->recoverJournal(now);
    // The start read each slot's newest record into its buffer: the journal holds it too.
    const CollectedData seeded = collect();
    for (const SlotRecords &s : seeded.slotRecords)
        periodic->journal().append(seeded.header, s, true);
    periodic->reschedule(now);
    periodic->resetNewSinceStart();
    release->setOptions(app.settings.autos);
    release->arm();
    updateSaveAction();
}

bool WatchSaves::saveData(QWidget *parent, int kind)
{
    const QDateTime now = app.cycle().receiverClock();
    QString path;
    if (kind == int(SaveKind::Ending)) {
        const QString proposal = periodic->pathFor(SaveKind::Ending, now);
        QDir().mkpath(QFileInfo(proposal).absolutePath());
        path = dialogs.saveFile(parent, {QStringLiteral("名前をつけて保存"), proposal,
                                         qtFilter(QStringLiteral("ファイル(*.zt2)|*.zt2")),
                                         QStringLiteral("zt2"), true});
        if (path.isEmpty())
            return false;
    }
    const int error = periodic->save(SaveKind(kind), now, path);
    app.cycle().alarmLog().AlarmLogAppend(error == 0 ? QStringLiteral("手動データ保存")
                                                     : QStringLiteral("手動データ保存失敗"));
    if (error != 0)
        showError(dialogs, parent, error, SaveCaption);
    updateSaveAction();
    return error == 0;
}

void WatchSaves::manualSave(QWidget *parent)
{
    if (!hasUnsavedRecords())
        return;
    if (!periodic->manualSave(app.cycle().receiverClock()))
        showError(dialogs, parent, periodic->lastError(), SaveCaption);
    updateSaveAction();
}

void WatchSaves::saveBeforeOutsideStop()
{
    if (!hasUnsavedRecords())
        return;
    const bool ok = periodic->save(SaveKind::Manual, app.cycle().receiverClock()) == 0;
    app.cycle().alarmLog().AlarmLogAppend(ok ? QStringLiteral("終了時データ保存")
                                             : QStringLiteral("終了時データ保存失敗"));
}

void WatchSaves::contactRelease(QWidget *)
{
    NewViewForm *list = app.listWindow();
    QPushButton *button = list ? list->contactFrame()->releaseButton() : nullptr;
    if (button)
        button->setEnabled(false);
    const ContactRelease::Outcome o = release->manualRelease();
    if (o == ContactRelease::Outcome::Ignored && button)
        button->setEnabled(true);
    if (o == ContactRelease::Outcome::Deferred)
        return; // the button is enabled again by the contacts after the release
    if (list)
        list->refreshAll();
}

void WatchSaves::monitorRelease(QWidget *parent, int koNo)
{
    const QString caption = QStringLiteral("警報監視の解除");
    for (;;) {
        if (dialogs.message(parent, {caption, singleReleaseText(koNo), 1}) != AnswerOk)
            return;
        const ContactRelease::Outcome o = release->releaseSingle(koNo);
        if (o == ContactRelease::Outcome::Failed) {
            dialogs.message(parent, {caption, QStringLiteral("警報監視の解除に失敗しました"), 48});
            break;
        }
        if (o == ContactRelease::Outcome::Sent)
            break;
        // An exchange was in progress: the question stays for the user to confirm again.
    }
    if (NewViewForm *list = app.listWindow())
        list->refreshAll();
}

void WatchSaves::contactSettings(QWidget *parent)
{
    SettenSet dialog(app.settings, autosPath(), dialogs, parent);
    connect(&dialog, &SettenSet::applied, this, [this](const AutoSaveSettings &o) {
        release->setOptions(o);
        if (NewViewForm *list = app.listWindow()) {
            list->setReleaseCoversBattery(o.releaseType == 1);
            list->refreshAll();
        }
    });
    dialog.exec();
}

void WatchSaves::periodicOptions(QWidget *parent)
{
    TeikiOption dialog(app.settings, autosPath(), *periodic, app.cycle().alarmLog(), dialogs,
                       parent);
    dialog.exec();
}

void WatchSaves::refreshAlarmTable()
{
    const MonitorCycle &cycle = app.cycle();
    alarmTable.KoCount = cycle.koCount();
    for (int k = 1; k <= MaxKo; ++k) {
        const MonitorSlot &s = cycle.slot(k);
        AlarmSlot &a = alarmTable.slot(k);
        a.KoOperating = s.KoOperating;
        a.KoRegistered = s.registered;
        a.KoKind = s.KoKind;
        a.KoName = s.KoName;
        a.limits = s.limits;
        a.ranges = s.ranges;
    }
}

void WatchSaves::alarmSettings(QWidget *parent)
{
    refreshAlarmTable();
    MonitorCycle &cycle = app.cycle();
    AlarmDialogOptions o;
    o.closeOnFailure = false;
    o.busy = [&cycle] { return cycle.isBusy() || cycle.state() != CycleState::Idle; };
    o.beforeSending = [&cycle] { cycle.stopPolling(); };
    o.afterSending = [&cycle] { cycle.restartPolling(0); };
    o.send = [&cycle](int koNo, const AlarmLimits &limits) {
        if (!writeAlarmLimits(cycle.link(), koNo, limits))
            return false;
        cycle.slot(koNo).limits = limits; // in force from the very next evaluation
        return true;
    };
    o.logSlot = [&cycle](int koNo, bool ok) {
        cycle.alarmLog().appendSlot(koNo, ok ? QStringLiteral("警報設定変更")
                                             : QStringLiteral("警報設定変更失敗"));
    };
    AlarmSettingsDialog dialog(alarmTable, dialogs, o, parent);
    dialog.exec();
    if (NewViewForm *list = app.listWindow())
        list->refreshAll();
}

} // namespace zt
