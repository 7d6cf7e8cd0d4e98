#include "registration/registryedits.h"

#include "records/cp932.h"

namespace zt {

bool acceptsReceiverName(const QString &name)
{
    return name.size() <= MaxOyaNameChars && isCp932Encodable(name);
}

bool acceptsKoName(const QString &name)
{
    const int bytes = cp932Length(name);
    return bytes >= 0 && bytes <= MaxKoNameBytes;
}

QString proposedReceiverName(int slot)
{
    return QStringLiteral("受信器") + QString::number(slot - 1);
}

void registerReceiver(OyaRegistry &oya, int slot, qint32 id, const QString &name)
{
    ++oya.OyaCount;
    oya.currentSlot = slot;
    oya.OyaID[std::size_t(slot)] = id;
    oya.OyaName[std::size_t(slot)] = name;
}

int deleteReceiver(SettingsRecords &records, const QString &name)
{
    for (int slot = 1; slot <= MaxOya; ++slot) {
        if (records.oya.OyaID[std::size_t(slot)] == 0 ||
            records.oya.OyaName[std::size_t(slot)] != name)
            continue;
        records.oya.OyaName[std::size_t(slot)].clear();
        records.oya.OyaID[std::size_t(slot)] = 0;
        for (int k = 1; k <= MaxKo; ++k)
            records.koNames.name(slot, k).clear();
        records.oya.OyaCount = qint16(qMax(0, records.oya.OyaCount - 1));
        return slot;
    }
    return 0;
}

QList<int> registeredSlots(const OyaRegistry &oya)
{
    QList<int> found;
    for (int slot = 1; slot <= MaxOya; ++slot)
        if (oya.OyaID[std::size_t(slot)] != 0)
            found.append(slot);
    return found;
}

void nameUnnamedReceivers(OyaRegistry &oya)
{
    for (int slot : registeredSlots(oya))
        if (oya.OyaName[std::size_t(slot)].isEmpty())
            oya.OyaName[std::size_t(slot)] = QStringLiteral("受信器") + QString::number(slot);
}

QString koListText(const KoNameTable &names, int slot, int koNo)
{
    const QString &name = names.name(slot, koNo);
    return name.isEmpty() ? QString::number(koNo) : name;
}

} // namespace zt
