#include "ui/alarmsettingsdialog.h"

#include "ui/alarmspinbox.h"
#include "ui/dialogservice.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace zt {

int AlarmSettingsDialog::rememberedTab = 1;

namespace {

QString failureCaption()
{
    return QStringLiteral("警報設定");
}

} // namespace

AlarmSettingsDialog::AlarmSettingsDialog(AlarmTable &table, DialogService &dialogs,
                                         AlarmDialogOptions options, QWidget *parent)
    : QDialog(parent), table(table), dialogs(dialogs), options(std::move(options))
{
    setObjectName(QStringLiteral("NewAlarmSet"));
    setWindowTitle(QStringLiteral("警報設定"));
    buildControls();
    work.load(table);
    for (int k = 1; k <= table.KoCount; ++k)
        KokiTab->addTab(alarmTabCaption(table, k));
    if (rememberedTab < 1 || rememberedTab > table.KoCount)
        rememberedTab = 1;
    if (table.KoCount > 0) {
        KokiTab->setCurrentIndex(rememberedTab - 1);
        showTab(rememberedTab - 1);
    } else {
        showTab(-1);
    }
    loading = false;
}

void AlarmSettingsDialog::buildControls()
{
    KokiTab = new QTabBar(this);
    KokiTab->setObjectName(QStringLiteral("KokiTab"));
    KokiTab->setExpanding(false);
    KokiTab->setUsesScrollButtons(true);
    KokiNameLabel = new QLabel(QStringLiteral("子機名："), this);
    KokiNameLabel->setObjectName(QStringLiteral("KokiNameLabel"));

    valueFrame = new QGroupBox(QStringLiteral("警報値"), this);
    auto *frames = new QHBoxLayout(valueFrame);
    const QString titles[2] = {QStringLiteral("CH1  温度警報[℃]"),
                               QStringLiteral("CH2  湿度警報[％]")};
    for (int ch = 0; ch < 2; ++ch) {
        QGroupBox *frame = new QGroupBox(titles[ch], valueFrame);
        auto *grid = new QGridLayout(frame);
        grid->addWidget(new QLabel(QStringLiteral("上限警報"), frame), 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("下限警報"), frame), 0, 1);
        for (int row = 0; row < 2; ++row) {
            const int i = ch * 2 + row;
            auto *spin = new AlarmSpinBox(frame);
            spin->setObjectName(QStringLiteral("AlUpDown%1").arg(i));
            spin->setMinimumWidth(80);
            grid->addWidget(spin, 1, row);
            AlUpDown[std::size_t(i)] = spin;
            connect(spin, &AlarmSpinBox::stepped, this, [this, i](bool up) { onStepped(i, up); });
        }
        channelFrame[std::size_t(ch)] = frame;
        frames->addWidget(frame);
    }

    checkAll = new QCheckBox(QStringLiteral("全送信器に適用"), this);
    checkAll->setObjectName(QStringLiteral("checkAll"));
    connect(checkAll, &QCheckBox::clicked, this, &AlarmSettingsDialog::onCheckAll);

    OKButton[0] = new QPushButton(QStringLiteral("OK"), this);
    OKButton[1] = new QPushButton(QStringLiteral("適用"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    OKButton[0]->setDefault(true);
    connect(OKButton[0], &QPushButton::clicked, this, &AlarmSettingsDialog::onOk);
    connect(OKButton[1], &QPushButton::clicked, this, &AlarmSettingsDialog::onApply);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(KokiTab, &QTabBar::currentChanged, this, [this](int index) {
        if (loading)
            return;
        storeShown(false);
        showTab(index);
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(checkAll);
    buttons->addStretch();
    buttons->addWidget(OKButton[0]);
    buttons->addWidget(OKButton[1]);
    buttons->addWidget(CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(KokiTab);
    layout->addWidget(KokiNameLabel);
    layout->addWidget(valueFrame);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

int AlarmSettingsDialog::shownKo() const
{
    return shownIndex + 1;
}

void AlarmSettingsDialog::showTab(int index)
{
    shownIndex = index;
    const int ko = shownKo();
    if (ko >= 1)
        rememberedTab = ko;
    const bool editable = ko >= 1 && ko <= table.KoCount && isEditableTab(table, ko);
    if (!editable) {
        channelFrame[0]->hide();
        channelFrame[1]->hide();
        checkAll->hide();
        KokiNameLabel->clear();
        return;
    }
    const AlarmSlot &s = table.slot(ko);
    checkAll->show();
    channelFrame[0]->show();
    KokiNameLabel->setText(s.KoName.isEmpty() ? QString()
                                              : QStringLiteral("送信器名： ") + s.KoName);
    const bool hadLoading = std::exchange(loading, true);
    for (int ch = 1; ch <= (s.hasChannel2() ? 2 : 1); ++ch) {
        const LimitPair bounds = spinBounds(s.ranges, ch);
        const LimitPair shown = work.channel(ko, ch);
        AlarmSpinBox *upper = AlUpDown[std::size_t(ch * 2 - 2)];
        AlarmSpinBox *lower = AlUpDown[std::size_t(ch * 2 - 1)];
        for (AlarmSpinBox *spin : {upper, lower})
            spin->setRange(bounds.lower, bounds.upper);
        upper->setValue(shown.upper);
        lower->setValue(shown.lower);
    }
    channelFrame[1]->setVisible(s.hasChannel2());
    loading = hadLoading;
}

void AlarmSettingsDialog::storeShown(bool toAll)
{
    const int ko = shownKo();
    if (loading || ko < 1 || ko > table.KoCount || !isEditableTab(table, ko))
        return;
    ShownLimits shown{{AlUpDown[0]->value(), AlUpDown[1]->value()}, std::nullopt};
    if (table.slot(ko).hasChannel2())
        shown.ch2 = LimitPair{AlUpDown[2]->value(), AlUpDown[3]->value()};
    storeShownLimits(work, table, ko, shown, toAll);
}

void AlarmSettingsDialog::onStepped(int spinIndex, bool up)
{
    if (loading)
        return;
    AlarmSpinBox *upper = AlUpDown[std::size_t(spinIndex / 2 * 2)];
    AlarmSpinBox *lower = AlUpDown[std::size_t(spinIndex / 2 * 2 + 1)];
    const SpinRole role = spinIndex % 2 == 0 ? SpinRole::Upper : SpinRole::Lower;
    const LimitPair p = pairAfterStep({upper->value(), lower->value()}, role, up);
    upper->setValue(p.upper);
    lower->setValue(p.lower);
}

void AlarmSettingsDialog::onCheckAll(bool checked)
{
    if (!checked || sameRangesForAll(table))
        return;
    dialogs.message(this,
                    {windowTitle(),
                     QStringLiteral("測定レンジの異なるセンサが存在する為一括設定が出来ません。"
                                    "\r\n個別に設定してください。"),
                     0});
    checkAll->setChecked(false);
}

void AlarmSettingsDialog::commit(bool closeAfter)
{
    setEnabled(false);
    storeShown(!checkAll->isHidden() && checkAll->isChecked());
    if (markChangedSlots(table, work).isEmpty()) {
        setEnabled(true);
        if (closeAfter)
            accept();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (options.busy && options.busy()) {
        QApplication::restoreOverrideCursor();
        setEnabled(true);
        return;
    }
    if (options.beforeSending)
        options.beforeSending();
    const AlarmSendResult result =
        sendChangedSlots(table, work, [this](int koNo, const AlarmLimits &limits) {
            const bool ok = options.send && options.send(koNo, limits);
            if (options.logSlot)
                options.logSlot(koNo, ok);
            return ok;
        });
    if (options.afterSending)
        options.afterSending();
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    if (result.failedKo != 0) {
        dialogs.message(this, {failureCaption(), QStringLiteral("警報設定に失敗しました"), 48});
        if (options.closeOnFailure)
            reject();
        return;
    }
    if (closeAfter)
        accept();
}

} // namespace zt
