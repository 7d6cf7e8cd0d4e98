#include "ui/alarmreceiver.h"

#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "ui/statusdialog.h"
#include "ui/statuskinds.h"

#include <QApplication>
#include <algorithm>

namespace zt {

AlarmTable alarmTableFromReceiver(const ReceiverValues &values, const AlarmDialogStatus &status,
                                  const OyaRegistry &registry, const KoNameTable &names)
{
    AlarmTable table;
    // A count outside 0..30 from the receiver must not index past the slots.
    table.KoCount = std::clamp(int(values.SystemKoCount), 0, MaxKo);
    const int oyaSlot = registry.slotForReadout(values.ReceiverID);
    for (int k = 1; k <= MaxKo; ++k) {
        const std::size_t i = std::size_t(k - 1);
        AlarmSlot &s = table.slot(k);
        const SlotValues &v = values.slot(k);
        s.KoOperating = status.recording[i];
        s.KoRegistered = values.RegisteredFlags[i];
        s.KoKind = v.KoKind;
        s.ranges = v.ranges;
        s.limits = v.limits;
        s.KoName = names.name(oyaSlot, k);
        if (s.KoName.isEmpty())
            s.KoName = QStringLiteral("名称無し");
    }
    return table;
}

AlarmDialogOptions analyzerAlarmOptions(SerialLink &link)
{
    AlarmDialogOptions options;
    options.send = [&link](int koNo, const AlarmLimits &limits) {
        return writeAlarmLimits(link, koNo, limits);
    };
    options.beforeSending = [&link] {
        if (!link.isOpen())
            link.OpenPort();
    };
    options.afterSending = [&link] { link.ClosePort(); };
    return options;
}

void runAlarmSettings(SerialLink &link, const SettingsRecords &settings, DialogService &dialogs,
                      QWidget *parent)
{
    ReceiverValues values;
    AlarmDialogStatus status;
    bool read = false;
    {
        StatusDialog wait(parent);
        wait.showKind(8, [&](StatusDialog &dialog) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            read = readAlarmDialogStatus(link, values, status);
            QApplication::restoreOverrideCursor();
            if (read)
                dialog.accept();
            else
                dialog.setTexts(QStringLiteral("警報設定"), analyzerStatusKind(9).lines);
        });
        wait.exec();
    }
    if (read) {
        AlarmTable table = alarmTableFromReceiver(values, status, settings.oya, settings.koNames);
        AlarmSettingsDialog dialog(table, dialogs, analyzerAlarmOptions(link), parent);
        dialog.exec();
    }
    link.ClosePort();
}

} // namespace zt
