#include "commands.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The tool's own errors are its only output on stderr; Qt's notes about the desktop
// (no runtime folder, no display) would read as failures.
void quietQt(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    // Printing lays out text with the GUI's fonts; without a display it runs offscreen.
    const bool print = argc > 1 && std::strcmp(argv[1], "print") == 0;
    if (print && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (print)
        qInstallMessageHandler(quietQt);
    std::unique_ptr<QCoreApplication> app;
    if (print)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    return zt2::run(app->arguments().mid(1));
}
