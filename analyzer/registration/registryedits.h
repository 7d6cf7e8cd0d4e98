#pragma once

#include "records/settingsfiles.h"

#include <QString>

// Changes to the receiver registry and the transmitter names, free of any window.
namespace zt {

constexpr int MaxOyaNameChars = 12;
constexpr int MaxKoNameBytes = 12;

// Receiver names: at most 12 characters, each with a code page 932 form.
bool acceptsReceiverName(const QString &name);
// Transmitter names: at most 12 code page 932 bytes.
bool acceptsKoName(const QString &name);

// "受信器" + (slot - 1), the name proposed for a new registration in `slot`.
QString proposedReceiverName(int slot);

// Registers `id` in `slot` under `name`; the slot becomes the current slot.
void registerReceiver(OyaRegistry &oya, int slot, qint32 id, const QString &name);

// Deletes the first registered slot named `name`: its name, id and all 30 transmitter
// names are cleared. Returns the slot, or 0 when no registered slot has that name.
int deleteReceiver(SettingsRecords &records, const QString &name);

// Slots with a non-zero id, in slot order.
QList<int> registeredSlots(const OyaRegistry &oya);

// Every registered slot without a name gets "受信器" + slot.
void nameUnnamedReceivers(OyaRegistry &oya);

// What the rename list shows for a transmitter: its name, or its number when empty.
QString koListText(const KoNameTable &names, int slot, int koNo);

} // namespace zt
