#include "recording/inisetdialog.h"

#include "session/cellformat.h"
#include "link/seriallink.h"
#include "records/channels.h"
#include "records/datetime.h"
#include "records/messages.h"
#include "records/registry.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zt {

namespace {
constexpr int ClockRefreshMs = 10000;
constexpr int FocusDelayMs = 5;
constexpr int SettingsCaption = 1;
constexpr int styleWarning = 48;
constexpr int styleInformation = 64;
// OK/Cancel, warning icon, Cancel as the default button.
constexpr int styleEraseQuestion = 1 + 48 + 256;

// Each note is one line: Qt would break Japanese text anywhere, even inside a word,
// so the dialog grows to the longest note instead.
QLabel *note(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

// A rule under a field, indented with the fields.
QLabel *remark(const QString &text, QWidget *parent)
{
    QLabel *label = note(text, parent);
    label->setContentsMargins(16, 0, 0, 0);
    return label;
}

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    // Room for the widest value shown, the clock "yy-mm-dd hh:nn", in any font size.
    const int text = label->fontMetrics().horizontalAdvance(QStringLiteral("00-00-00 00:00"));
    label->setMinimumWidth(qMax(120, text + 2 * label->frameWidth() + 8));
    return label;
}
} // namespace

LogIniSetDialog::LogIniSetDialog(SerialLink &link, const RecordingSurvey &survey,
                                 const OyaRegistry &registry, DialogService &dialogs,
                                 QWidget *parent)
    : QDialog(parent), link(link), survey(survey), dialogs(dialogs), clock(localNow),
      lOyaName(valueLabel(QStringLiteral("lOyaName"), this)),
      Ltime(valueLabel(QStringLiteral("Ltime"), this)), comboKokiId(new QComboBox(this)),
      LabelMaxdata(valueLabel(QStringLiteral("LabelMaxdata"), this)),
      comboIntervalset(new QComboBox(this)),
      lRecIntervalset(valueLabel(QStringLiteral("lRecIntervalset"), this)),
      comboStarTime(new QComboBox(this)), okNg{new QPushButton(QStringLiteral("Ok"), this),
                                               new QPushButton(QStringLiteral("Cancel"), this)},
      clockTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("LogIniSet1"));
    setWindowTitle(QStringLiteral("送信器収録設定"));
    const QString name = registry.nameOf(survey.oyaSlot);
    lOyaName->setText(name.isEmpty() ? unregisteredName() : name);
    buildControls();
    layOut();
    selectCurrentValues();
    refreshClock();
}

void LogIniSetDialog::setClock(std::function<QDateTime()> source)
{
    clock = std::move(source);
    refreshClock();
}

void LogIniSetDialog::buildControls()
{
    comboKokiId->setObjectName(QStringLiteral("comboKokiId"));
    for (int n = 1; n <= MaxKo; ++n)
        comboKokiId->addItem(QString::number(n));
    comboIntervalset->setObjectName(QStringLiteral("comboIntervalset"));
    for (int m : MeasureIntervals)
        comboIntervalset->addItem(minutesText(m));
    comboStarTime->setObjectName(QStringLiteral("comboStarTime"));
    for (int m = 0; m < 1440; ++m)
        comboStarTime->addItem(minutesText(m));
    comboStarTime->setMaxVisibleItems(20);
    okNg[0]->setObjectName(QStringLiteral("OkNg0"));
    okNg[1]->setObjectName(QStringLiteral("OkNg1"));
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    clockTimer->setInterval(ClockRefreshMs);
    connect(clockTimer, &QTimer::timeout, this, &LogIniSetDialog::refreshClock);
    connect(comboKokiId, &QComboBox::currentIndexChanged, this, [this] {
        updateCommInterval();
        updateMaxData();
    });
    connect(comboIntervalset, &QComboBox::currentIndexChanged, this,
            &LogIniSetDialog::updateCommInterval);
    connect(okNg[0], &QPushButton::clicked, this, &LogIniSetDialog::apply);
    connect(okNg[1], &QPushButton::clicked, this, &QDialog::reject);
}

void LogIniSetDialog::layOut()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    int row = 0;
    auto field = [&](const QString &caption, QWidget *control, const QString &range,
                     const QString &help) {
        if (!help.isEmpty()) {
            QLabel *h = note(help, this);
            h->setContentsMargins(0, 8, 0, 0);
            grid->addWidget(h, row++, 0, 1, 3);
        }
        auto *c = new QLabel(caption, this);
        c->setContentsMargins(16, 0, 0, 0);
        grid->addWidget(c, row, 0);
        grid->addWidget(control, row, 1);
        if (!range.isEmpty())
            grid->addWidget(new QLabel(range, this), row, 2);
        ++row;
    };
    field(QStringLiteral("受信器名"), lOyaName, {}, {});
    field(QStringLiteral("システム送信器台数"), comboKokiId,
          QStringLiteral("１～３０台まで設定可能です"),
          QStringLiteral("①使用予定の送信器台数を設定します。　（送信器の最大収録ﾃﾞｰﾀ数に反映）"));
    field(QStringLiteral("収録ﾃﾞｰﾀ数"), LabelMaxdata, {}, {});
    grid->addWidget(
        remark(QStringLiteral("すでに送信器を登録している場合はｼｽﾃﾑ送信器台数の設定は行えません。"),
               this),
        row++, 0, 1, 3);
    field(QStringLiteral("測定間隔"), comboIntervalset,
          QStringLiteral("１分～24時間まで設定可能です"),
          QStringLiteral("②送信器側のデータを収録する収録間隔を設定します。"));
    grid->addWidget(
        remark(
            QStringLiteral("送信器台数を１１台以上に設定時は測定間隔は５分以上の設定となります。"),
            this),
        row++, 0, 1, 3);
    field(QStringLiteral("開始時間"), comboStarTime, QStringLiteral("00:00～23:30まで設定可能です"),
          QStringLiteral("③送信器の測定開始時間を設定します。（２４時間）"));
    field(QStringLiteral("通信間隔"), lRecIntervalset,
          QStringLiteral("３分～24時間までが設定されます"),
          QStringLiteral("④通信間隔はｼｽﾃﾑ送信器台数、測定間隔により設定されます"));
    field(QStringLiteral("時　　刻"), Ltime, QStringLiteral("2000年から2050年まで設定可能です"),
          QStringLiteral("⑤現在時刻の設定(PCの時刻を反映させます）"));
    auto *erase =
        note(QStringLiteral("設定を行いますと、受信器の収録データはクリアされます。"), this);
    erase->setStyleSheet(QStringLiteral("color: #c00000;"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okNg[0]);
    buttons->addWidget(okNg[1]);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(erase);
    layout->addLayout(buttons);
}

void LogIniSetDialog::selectCurrentValues()
{
    const ReceiverValues &v = survey.values;
    const bool countInRange = v.SystemKoCount >= 1 && v.SystemKoCount <= MaxKo;
    comboKokiId->setCurrentIndex(countInRange ? v.SystemKoCount - 1 : 0);
    comboKokiId->setEnabled(v.registeredCount == 0);
    // An interval the list does not offer leaves the first entry, so Ok never sends
    // an empty field.
    const int measure = comboIntervalset->findText(minutesText(v.MeasureInterval));
    comboIntervalset->setCurrentIndex(measure < 0 ? 0 : measure);
    const QTime start = rememberedStartTime();
    comboStarTime->setCurrentIndex(start.hour() * 60 + start.minute());
    updateCommInterval();
    updateMaxData();
}

void LogIniSetDialog::updateCommInterval()
{
    const int measure = minutesOf(comboIntervalset->currentText());
    if (comboKokiId->currentText().isEmpty() || measure < 0)
        return;
    lRecIntervalset->setText(
        minutesText(commIntervalFor(comboKokiId->currentIndex() + 1, measure)));
}

void LogIniSetDialog::updateMaxData()
{
    LabelMaxdata->setText(QString::number(sampleCapacity(comboKokiId->currentIndex() + 1)));
}

void LogIniSetDialog::refreshClock()
{
    Ltime->setText(rowTimeText(clock()));
}

RecordingChoice LogIniSetDialog::choice() const
{
    RecordingChoice c;
    c.koCount = comboKokiId->currentIndex() + 1;
    c.measureMinutes = minutesOf(comboIntervalset->currentText());
    c.commMinutes = minutesOf(lRecIntervalset->text());
    const int start = comboStarTime->currentIndex();
    c.startTime = QTime(start / 60, start % 60);
    return c;
}

void LogIniSetDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(FocusDelayMs, this, [this] {
        okNg[survey.recordingWarning ? 1 : 0]->setFocus();
        clockTimer->start();
    });
}

bool LogIniSetDialog::confirmErase()
{
    const QString text =
        QStringLiteral("設定を変更すると現在受信器が持っているデータが全て消去され、\r\n"
                       "収録が停止します。\r\n本当に設定を変更しますか？");
    if (dialogs.message(this, {windowTitle(), text, styleEraseQuestion}) == AnswerOk)
        return true;
    okNg[1]->setFocus();
    return false;
}

void LogIniSetDialog::setBusy(bool busy)
{
    okNg[0]->setEnabled(!busy);
    okNg[1]->setEnabled(!busy);
    setEnabled(!busy);
}

void LogIniSetDialog::apply()
{
    const RecordingChoice c = choice();
    const QDateTime now = clock();
    switch (checkRecordingSettings(c.koCount, c.measureMinutes, now.date().year())) {
    case RecordingRefusal::OneMinuteWithManyTransmitters:
        showMessage(dialogs, this, SettingsCaption, 35, styleWarning);
        return;
    case RecordingRefusal::ClockOutOfRange:
        showMessage(dialogs, this, SettingsCaption, 39, styleWarning);
        return;
    case RecordingRefusal::None:
        break;
    }
    if (survey.recordingWarning && !confirmErase())
        return;
    setBusy(true);
    clockTimer->stop();
    const bool ok = applyRecordingSettings(link, survey.values.ReceiverID, c,
                                           survey.values.registeredCount, clock());
    setBusy(false);
    if (ok) {
        rememberStartTime(c.startTime);
        showMessage(dialogs, this, SettingsCaption, 38, styleInformation);
        accept();
        return;
    }
    showMessage(dialogs, this, SettingsCaption, 16, styleWarning);
    link.OpenPort();
    clockTimer->start();
}

void LogIniSetDialog::done(int result)
{
    clockTimer->stop();
    link.ClosePort();
    QDialog::done(result);
}

} // namespace zt
