#pragma once

#include "records/cp932.h"
#include "records/settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Shared helpers of the settings file tests: a private home folder and raw file access.
namespace zt::test {

// Points every per-user folder at `home` so no test can reach the real user's files.
inline void useHome(const QTemporaryDir &home)
{
    const QByteArray path = QFile::encodeName(home.path());
    qputenv("HOME", path);
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                             "XDG_DOCUMENTS_DIR", "XDG_RUNTIME_DIR"})
        qputenv(name, path + "/" + name);
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray cp932(const QString &text)
{
    return toCp932(text).value_or(QByteArray("<not encodable>"));
}

inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Records with no default left anywhere, so a read that touches nothing shows.
inline SettingsRecords markedRecords()
{
    SettingsRecords r;
    r.app = {3, 1, 1, 45, -10, 90, 20, 7};
    r.oya.OyaCount = 2;
    for (int slot = 1; slot <= MaxOya; ++slot) {
        r.oya.OyaID[slot] = 100000 + slot;
        r.oya.OyaName[slot] = QStringLiteral("親%1").arg(slot);
        for (int ko = 1; ko <= MaxKo; ++ko)
            r.koNames.name(slot, ko) = QStringLiteral("子%1-%2").arg(slot).arg(ko);
    }
    r.AutoSaveOption = 1;
    r.autos.autoSave = 0;
    r.autos.saveType = 2;
    r.autos.folderMode = 1;
    r.autos.saveTime = QTime(13, 0);
    r.autos.csvSaveTime = 4;
    r.autos.autoOffSeconds = 30;
    r.autos.releaseType = 1;
    r.autos.autoReturn = 1;
    r.autos.autoOffChoices = {2, 30, 3600};
    r.autos.accumulate = 1;
    for (int k = 0; k < int(r.readMarks.size()); ++k)
        r.readMarks[k] = {QStringLiteral("24010112%1").arg(k, 2, 10, QLatin1Char('0')), qint16(k),
                          qint16(-k)};
    return r;
}

// Whether a and b agree in everything that one kind of file holds.
inline bool sameKind(SettingsFile file, const SettingsRecords &a, const SettingsRecords &b)
{
    switch (file) {
    case SettingsFile::App:
        return a.app == b.app;
    case SettingsFile::OyaNames:
        return a.oya.OyaName == b.oya.OyaName;
    case SettingsFile::KoNames:
        return a.koNames.names == b.koNames.names;
    case SettingsFile::OyaIds:
        return a.oya.OyaCount == b.oya.OyaCount && a.oya.OyaID == b.oya.OyaID;
    case SettingsFile::AutoSave:
        return a.autos == b.autos;
    case SettingsFile::Options:
        return a.AutoSaveOption == b.AutoSaveOption;
    case SettingsFile::ReadTimes:
        return a.readMarks == b.readMarks;
    }
    return false;
}

} // namespace zt::test

Q_DECLARE_METATYPE(zt::SettingsFile)
Q_DECLARE_METATYPE(zt::SettingsRecords)
