#include "options/teikioption.h"

#include "engine/alarmlog.h"
#include "options/optionbuttons.h"
#include "options/optionswrite.h"
#include "periodic/periodicsaves.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zt {

TeikiOption::TeikiOption(SettingsRecords &records, QString autosPath, PeriodicSaves &saves,
                         AlarmLog &log, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), records(records), path(std::move(autosPath)), saves(saves), log(log),
      dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("監視データ保存設定"));
    auto *layout = new QVBoxLayout(this);
    AutoSaveCheck = new QCheckBox(QStringLiteral("自動保存する"), this);
    AutoSaveCheck->setToolTip(QStringLiteral("チェックすると自動的にデータを保存します"));
    layout->addWidget(AutoSaveCheck);
    layout->addWidget(typeBox = buildTypeFrame());
    layout->addWidget(folderBox = buildFolderFrame());
    Ruiseki = new QCheckBox(QStringLiteral("累積してデータを保存"), this);
    layout->addWidget(Ruiseki);

    auto *buttons = new QHBoxLayout;
    TeikiReset = new QPushButton(QStringLiteral("初期設定に戻す"), this);
    buttons->addWidget(TeikiReset);
    buttons->addStretch();
    addOptionButtons(*this, *buttons, Button, [this](bool close) { apply(close); });
    layout->addLayout(buttons);
    connect(TeikiReset, &QPushButton::clicked, this, &TeikiOption::reset);
    connect(AutoSaveCheck, &QCheckBox::toggled, this, &TeikiOption::showFrames);
    load();
}

QGroupBox *TeikiOption::buildTypeFrame()
{
    auto *frame = new QGroupBox(this);
    auto *grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("保存方法："), frame), 0, 0);
    const QString texts[3] = {QStringLiteral("1日ごとに保存"), QStringLiteral("1週間ごとに保存"),
                              QStringLiteral("1ヶ月ごとに保存")};
    const QString tips[3] = {QStringLiteral("年月日時分_dの名前で保存されます"),
                             QStringLiteral("年月日時分_wの名前で保存されます"),
                             QStringLiteral("年月日時分_mの名前で保存されます")};
    auto *group = new QButtonGroup(frame);
    for (int i : {0, 1, 2}) {
        SaveTypeSel[i] = new QRadioButton(texts[i], frame);
        SaveTypeSel[i]->setToolTip(tips[i]);
        group->addButton(SaveTypeSel[i], i);
        grid->addWidget(SaveTypeSel[i], i, 1);
        connect(SaveTypeSel[i], &QRadioButton::clicked, this,
                [this] { SaveTimeCombo->setEnabled(true); });
    }
    grid->addWidget(new QLabel(QStringLiteral("保存する時刻："), frame), 3, 0);
    SaveTimeCombo = new QComboBox(frame);
    SaveTimeCombo->setToolTip(QStringLiteral("設定時刻から保存を行います"));
    for (int h = 0; h < 24; ++h)
        SaveTimeCombo->addItem(QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')), h);
    grid->addWidget(SaveTimeCombo, 3, 1, Qt::AlignLeft);
    return frame;
}

QGroupBox *TeikiOption::buildFolderFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("保存フォルダ・ファイル名"), this);
    auto *v = new QVBoxLayout(frame);
    const QString texts[3] = {QStringLiteral("フォルダを分けない"),
                              QStringLiteral("週ごとにフォルダ保存"),
                              QStringLiteral("月ごとにフォルダ保存")};
    const QString tips[3] = {QStringLiteral("新規のフォルダは作成しません"),
                             QStringLiteral("YY_MM_W形式のフォルダ"),
                             QStringLiteral("YY_MM形式のフォルダ")};
    auto *group = new QButtonGroup(frame);
    for (int i : {0, 1, 2}) {
        SaveFileNameSel[i] = new QRadioButton(texts[i], frame);
        SaveFileNameSel[i]->setToolTip(tips[i]);
        group->addButton(SaveFileNameSel[i], i);
    }
    for (int i : {0, 2, 1}) // on screen: none, by month, by week
        v->addWidget(SaveFileNameSel[i]);
    v->addWidget(new QLabel(QStringLiteral("保存先フォルダはマイドキュメント内の"), frame));
    v->addWidget(
        new QLabel(QStringLiteral("ORVANEフォルダ内、ZTSeries5フォルダに作成されます"), frame));
    return frame;
}

void TeikiOption::load()
{
    const AutoSaveSettings &o = records.autos;
    AutoSaveCheck->setChecked(o.autoSave == 1);
    SaveTypeSel[qBound(0, int(o.saveType), 2)]->setChecked(true);
    SaveTimeCombo->setCurrentIndex(qBound(0, o.saveTime.hour(), 23));
    SaveFileNameSel[qBound(0, int(o.folderMode), 2)]->setChecked(true);
    Ruiseki->setChecked(o.accumulate == 1);
    showFrames();
}

void TeikiOption::showFrames()
{
    typeBox->setVisible(AutoSaveCheck->isChecked());
    folderBox->setVisible(AutoSaveCheck->isChecked());
    adjustSize();
}

void TeikiOption::reset()
{
    SaveTypeSel[0]->setChecked(true);
    SaveTimeCombo->setCurrentIndex(0);
    SaveTimeCombo->setEnabled(true);
    SaveFileNameSel[0]->setChecked(true);
}

void TeikiOption::apply(bool close)
{
    AutoSaveSettings &o = records.autos;
    o.autoSave = AutoSaveCheck->isChecked() ? 1 : 0;
    for (int i : {0, 1, 2}) {
        if (SaveTypeSel[i]->isChecked())
            o.saveType = qint16(i);
        if (SaveFileNameSel[i]->isChecked())
            o.folderMode = qint16(i);
    }
    o.saveTime = QTime(SaveTimeCombo->currentIndex(), 0);
    o.accumulate = Ruiseki->isChecked() ? 1 : 0;
    const QDateTime now = log.receiverClock();
    saves.setOptions(o);
    saves.reschedule(now);
    log.setSaveHour(o.saveTime.hour());
    log.scheduleNextDailySave(now);
    writeAutoSaveSettings(path, records, dialogs, this);
    if (close)
        accept();
}

} // namespace zt
