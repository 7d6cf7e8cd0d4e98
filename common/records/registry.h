#pragma once

#include "records/limits.h"

#include <QString>
#include <array>

namespace zt {

// Name of registry slot 0 and of any receiver that is not registered.
inline QString unregisteredName()
{
    return QStringLiteral("未登録");
}

// The receiver registry (zt2oyaid.dat and zt2oynname.dat).
struct OyaRegistry
{
    qint16 OyaCount = 0;
    std::array<qint32, MaxOya + 1> OyaID{};  // [1..100]; 0 = slot free; [0] unused
    std::array<QString, MaxOya + 1> OyaName; // [0] is always "未登録" and never saved
    int currentSlot = 1;                     // not persisted

    OyaRegistry() { OyaName[0] = unregisteredName(); }

    // Read-out lookup: the first of slots 2..100 holding id, else 1 (unregistered).
    int slotForReadout(qint32 id) const
    {
        for (int s = 2; s <= MaxOya; ++s)
            if (OyaID[s] == id)
                return s;
        return 1;
    }
    // Registration: the lowest free slot of 2..100, or 0 when all are taken.
    int firstFreeSlot() const
    {
        for (int s = 2; s <= MaxOya; ++s)
            if (OyaID[s] == 0)
                return s;
        return 0;
    }
    QString nameOf(int slot) const
    {
        return slot >= 2 && slot <= MaxOya ? OyaName[slot] : unregisteredName();
    }
};

// Transmitter names per receiver slot and KoNo (zt2koname.dat).
struct KoNameTable
{
    std::array<std::array<QString, MaxKo + 1>, MaxOya + 1> names; // [slot 1..100][KoNo 1..30]

    KoNameTable() { resetAll(); }
    void resetAll()
    {
        for (auto &slot : names)
            for (int k = 0; k <= MaxKo; ++k)
                slot[k] = k == 0 ? QString() : QString::number(k);
    }
    QString &name(int slot, int koNo) { return names[slot][koNo]; }
    const QString &name(int slot, int koNo) const { return names[slot][koNo]; }
};

} // namespace zt
