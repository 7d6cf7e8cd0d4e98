#include "analyzerfixture.h"
#include "graph/graphwindow.h"
#include "icons/toolbaricons.h"
#include "mainwindow/mainwindow.h"
#include "session/analyzersession.h"
#include "support/testregistry.h"
#include "ui/scripteddialogservice.h"

#include "../graph/graphfixture.h"

#include <QAction>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace zt;

namespace {

QImage pictureOf(const QIcon &icon)
{
    return icon.pixmap(ToolbarIconSize).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

// All pictures side by side, four times enlarged, for a look when ZT_GRAB_DIR is set.
void saveSheet()
{
    const QString dir = qEnvironmentVariable("ZT_GRAB_DIR");
    if (dir.isEmpty())
        return;
    const QStringList names = toolbarIconNames();
    const int cell = ToolbarIconSize * 4 + 8;
    QImage sheet(cell * int(names.size()), cell, QImage::Format_RGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    for (int i = 0; i < names.size(); ++i)
        QSvgRenderer(QStringLiteral(":/toolbar/%1.svg").arg(names[i]))
            .render(&p, QRectF(i * cell + 4, 4, cell - 8, cell - 8));
    p.end();
    sheet.save(dir + QStringLiteral("/toolbar-icons.png"));
}

} // namespace

class ToolbarIconsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;

private slots:
    void initTestCase() { test::pointHomeAt(home.path()); }

    void everyPictureIsDrawnAndDistinct()
    {
        QList<QImage> seen;
        for (const QString &name : toolbarIconNames()) {
            const QImage image = pictureOf(toolbarIcon(name));
            QVERIFY2(!image.isNull(), qPrintable(name));
            const int area = ToolbarIconSize * ToolbarIconSize;
            // A real drawing: neither blank nor a filled square.
            QVERIFY2(opaquePixels(image) > area / 8, qPrintable(name));
            QVERIFY2(opaquePixels(image) < area, qPrintable(name));
            QVERIFY2(!seen.contains(image), qPrintable(name));
            seen.append(image);
        }
        QVERIFY(toolbarIcon(QStringLiteral("no-such-picture")).isNull());
        saveSheet();
    }

    void bothToolbarsShowTheirOwnPicturesAlike_data()
    {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("picture");
        const char *mainButtons[][2] = {{"btnopen", "open"},     {"btnsave", "save"},
                                        {"btnprint", "print"},   {"btngraph", "graph"},
                                        {"btnlread", "readout"}, {"btnlset", "recording"},
                                        {"btntset", "monitor"}};
        for (const auto &b : mainButtons)
            QTest::addRow("main %s", b[0]) << false << b[0] << b[1];
        const char *graphButtons[][2] = {{"btnRange", "range"},
                                         {"btnprint", "print"},
                                         {"btnlabel", "label"},
                                         {"btnline", "linewidth"},
                                         {"btnref", "reflines"}};
        for (const auto &b : graphButtons)
            QTest::addRow("graph %s", b[0]) << true << b[0] << b[1];
    }
    void bothToolbarsShowTheirOwnPicturesAlike()
    {
        QFETCH(bool, graph);
        QFETCH(QString, key);
        QFETCH(QString, picture);
        ScriptedDialogService dialogs;
        AnalyzerSession session;
        std::unique_ptr<QMainWindow> window;
        auto set = test::realisticSet(50);
        DisplayChannels channels = buildDisplayChannels(*set);
        AppSettings settings;
        if (graph)
            window = std::make_unique<GraphWindow>(
                GraphSource{set.get(), &channels, buildGraphSeries({1}), &settings, {}}, dialogs,
                nullptr, QSize(800, 600));
        else
            window = std::make_unique<MainWindow>(session, dialogs);
        auto *bar = window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        QVERIFY(bar);
        QAction *button = nullptr;
        for (QAction *a : bar->actions())
            if (a->objectName() == key)
                button = a;
        QVERIFY(button);
        QCOMPARE(pictureOf(button->icon()), pictureOf(toolbarIcon(picture)));
        QVERIFY(!button->text().isEmpty());
        QVERIFY(!button->toolTip().isEmpty());
        QCOMPARE(bar->iconSize(), QSize(ToolbarIconSize, ToolbarIconSize));
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
};

ZT_TEST(ToolbarIconsTest)
#include "toolbariconstest.moc"
