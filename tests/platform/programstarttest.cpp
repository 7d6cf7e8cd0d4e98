#include "platform/programstart.h"
#include "support/testregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zt;

class ProgramStartTest : public QObject
{
    Q_OBJECT
private slots:
    void aProgramBesideTheRunningOneStartsInItsFolder()
    {
        QTemporaryDir out;
        const QString name = QStringLiteral("zt-sibling-probe");
        const QString path = siblingProgramPath(name);
        QCOMPARE(path, QCoreApplication::applicationDirPath() + QLatin1Char('/') + name);
        QFile script(path);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\npwd > \"$ZT_PROBE_OUT\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("ZT_PROBE_OUT", (out.path() + QStringLiteral("/ran")).toUtf8());
        QVERIFY(startSiblingProgram(name));
        const auto folderItRanIn = [&out] {
            QFile ran(out.path() + QStringLiteral("/ran"));
            return ran.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(ran.readAll()).trimmed()
                                                 : QString();
        };
        QTRY_COMPARE(folderItRanIn(), QCoreApplication::applicationDirPath());
        QFile::remove(path);
    }

    void aMissingOrPlainFileIsNotStarted()
    {
        QVERIFY(!startSiblingProgram(QStringLiteral("zt-no-such-program")));
        const QString name = QStringLiteral("zt-not-executable");
        QFile plain(siblingProgramPath(name));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(!startSiblingProgram(name));
        plain.remove();
    }
};

ZT_TEST(ProgramStartTest)
#include "programstarttest.moc"
