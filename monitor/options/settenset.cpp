#include "options/settenset.h"

#include "options/autoofftext.h"
#include "options/optionbuttons.h"
#include "options/optionswrite.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zt {

SettenSet::SettenSet(SettingsRecords &records, QString autosPath, DialogService &dialogs,
                     QWidget *parent)
    : QDialog(parent), records(records), path(std::move(autosPath)), dialogs(dialogs)
{
    setWindowTitle(QStringLiteral("接点動作設定"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildReleaseFrame());
    layout->addWidget(buildReturnFrame());
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    addOptionButtons(*this, *buttons, Button, [this](bool close) { apply(close); });
    layout->addLayout(buttons);

    const AutoSaveSettings &o = records.autos;
    for (qint16 s : o.autoOffChoices)
        AutoOffTimeSel->addItem(autoOffText(s), int(s));
    AutoOffTimeSel->setCurrentIndex(qMax(0, AutoOffTimeSel->findData(int(o.autoOffSeconds))));
    AlarmTypeSel[o.releaseType == 1 ? 1 : 0]->setChecked(true);
    SettenTypeSel[o.autoReturn == 1 ? 1 : 0]->setChecked(true);
    showAutoOff();
}

QWidget *SettenSet::buildReleaseFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("警報接点解除ボタンの動作"), this);
    auto *v = new QVBoxLayout(frame);
    auto *group = new QButtonGroup(frame);
    AlarmTypeSel[0] = new QRadioButton(QStringLiteral("データ警報のみ解除"), frame);
    AlarmTypeSel[1] =
        new QRadioButton(QStringLiteral("データ警報、通信/電池警報どちらも解除"), frame);
    for (int i : {0, 1}) {
        group->addButton(AlarmTypeSel[i], i);
        v->addWidget(AlarmTypeSel[i]);
    }
    return frame;
}

QWidget *SettenSet::buildReturnFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("接点の復帰"), this);
    auto *v = new QVBoxLayout(frame);
    auto *group = new QButtonGroup(frame);
    SettenTypeSel[0] = new QRadioButton(QStringLiteral("自動復帰しない"), frame);
    SettenTypeSel[1] = new QRadioButton(QStringLiteral("接点ONから一定時間後に自動復帰"), frame);
    for (int i : {0, 1}) {
        group->addButton(SettenTypeSel[i], i);
        v->addWidget(SettenTypeSel[i]);
        connect(SettenTypeSel[i], &QRadioButton::toggled, this, &SettenSet::showAutoOff);
    }
    auto *row = new QHBoxLayout;
    row->addSpacing(24);
    AutoOffTimeSel = new QComboBox(frame);
    AutoOffTimeSel->setMinimumWidth(110);
    Label1 = new QLabel(QStringLiteral("で復帰"), frame);
    row->addWidget(AutoOffTimeSel);
    row->addWidget(Label1);
    row->addStretch();
    v->addLayout(row);
    return frame;
}

void SettenSet::showAutoOff()
{
    const bool on = SettenTypeSel[1]->isChecked();
    AutoOffTimeSel->setVisible(on);
    AutoOffTimeSel->setEnabled(on);
    Label1->setVisible(on);
    Label1->setEnabled(on);
}

void SettenSet::apply(bool close)
{
    AutoSaveSettings &o = records.autos;
    o.releaseType = AlarmTypeSel[1]->isChecked() ? 1 : 0;
    o.autoReturn = SettenTypeSel[1]->isChecked() ? 1 : 0;
    if (AutoOffTimeSel->currentIndex() >= 0)
        o.autoOffSeconds = qint16(AutoOffTimeSel->currentData().toInt());
    emit applied(o); // the timer follows the choice even if the file cannot be written
    writeAutoSaveSettings(path, records, dialogs, this);
    if (close)
        accept();
}

} // namespace zt
