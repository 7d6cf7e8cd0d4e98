#include "testregistry.h"

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace zt::test {
std::vector<std::pair<const char *, TestFactory>> &registry()
{
    static std::vector<std::pair<const char *, TestFactory>> all;
    return all;
}
} // namespace zt::test

// Runs every registered class. "-class Name" picks one; other arguments go to QTest.
int main(int argc, char **argv)
{
    qputenv("TZ", "UTC");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());

    QStringList args = app.arguments();
    QString only;
    const int at = args.indexOf(QStringLiteral("-class"));
    if (at > 0 && at + 1 < args.size()) {
        only = args.at(at + 1);
        args.remove(at, 2);
    }

    int failed = 0, run = 0;
    for (auto &[name, make] : zt::test::registry()) {
        if (!only.isEmpty() && only != QLatin1String(name))
            continue;
        auto object = make();
        ++run;
        if (QTest::qExec(object.get(), args) != 0)
            ++failed;
    }
    std::printf("%d passed, %d failed\n", run - failed, failed);
    return failed == 0 ? 0 : 1;
}
