#include "commands.h"

#include "infotext.h"
#include "printcommand.h"

#include "platform/folders.h"
#include "records/csvexport.h"
#include "records/datafilenames.h"
#include "records/messages.h"
#include "records/settingsfiles.h"
#include "records/zt2file.h"

#include <QFileInfo>
#include <cstdio>

namespace zt2 {

namespace {

const char usage[] = "使い方:\n"
                     "  zt2 csv FILE.zt2 [OUT.csv]  収録データファイルを CSV に書き出します\n"
                     "                              (OUT を省くと FILE と同じ場所に .csv で)\n"
                     "  zt2 info FILE.zt2           受信器・開始時刻・収録間隔と送信器ごとの\n"
                     "                              統計値・平均動態温度 (MKT) を表示します\n"
                     "  zt2 print list|part|params|graph FILE.zt2 OUT.pdf\n"
                     "        [--rows FIRST-LAST] [--transmitters N,N,...]\n"
                     "                              全体・部分・パラメータ・グラフの印刷を\n"
                     "                              A4 の PDF に書き出します (送信器は既定で\n"
                     "                              データのある最初の4台)\n"
                     "  zt2 --help                  この説明を表示します\n"
                     "受信器名と送信器名は解析ソフトの設定フォルダから読みます。\n";

void printOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

void printError(const QString &line)
{
    std::fputs((QStringLiteral("zt2: ") + line + QLatin1Char('\n')).toLocal8Bit().constData(),
               stderr);
}

int usageError(const QString &what)
{
    printError(what + QStringLiteral(" (zt2 --help で使い方を表示します)"));
    return 1;
}

// The receiver and transmitter names as the analysis program reads them at its start.
zt::SettingsRecords readNames()
{
    zt::SettingsRecords records;
    for (const zt::SettingsFile file : {zt::SettingsFile::OyaNames, zt::SettingsFile::KoNames}) {
        const QString path = zt::joinPath(zt::settingsFolder(), zt::settingsFileName(file));
        if (const int error = zt::readSettings(file, path, records))
            printError(path + QStringLiteral(": ") + zt::errorText(error, QString()) +
                       QStringLiteral(" (既定の名前を使います)"));
    }
    return records;
}

bool load(const QString &path, zt::LogSet &set)
{
    const zt::SettingsRecords names = readNames();
    if (const int error = zt::loadZt2(path, names.oya, names.koNames, set)) {
        printError(path + QStringLiteral(": ") + zt::errorText(error, QString()));
        return false;
    }
    return true;
}

bool samePath(const QString &a, const QString &b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}

int csvCommand(const QString &input, const QString &output)
{
    if (samePath(input, output)) {
        printError(output + QStringLiteral(": 出力先が入力ファイルと同じです。"));
        return 1;
    }
    zt::LogSet set;
    if (!load(input, set))
        return 1;
    if (const int error = zt::exportCsv(output, set)) {
        printError(output + QStringLiteral(": ") + zt::errorText(error, QString()));
        return 1;
    }
    printOut(output + QLatin1Char('\n'));
    return 0;
}

int infoCommand(const QString &input)
{
    zt::LogSet set;
    if (!load(input, set))
        return 1;
    zt::nameUnnamedSeries(set);
    printOut(infoText(set));
    return 0;
}

// The user's graph scales, as the analysis program starts with them.
zt::AppSettings readAppSettings()
{
    zt::SettingsRecords records;
    const QString path =
        zt::joinPath(zt::settingsFolder(), zt::settingsFileName(zt::SettingsFile::App));
    if (QFileInfo::exists(path) && zt::readSettings(zt::SettingsFile::App, path, records) != 0)
        return {};
    return records.app;
}

int printCommand(const QStringList &operands)
{
    QString error;
    const std::optional<PrintRequest> request = parsePrintArgs(operands, &error);
    if (!request)
        return usageError(error);
    if (samePath(request->input, request->output)) {
        printError(request->output + QStringLiteral(": 出力先が入力ファイルと同じです。"));
        return 1;
    }
    zt::LogSet set;
    if (!load(request->input, set))
        return 1;
    error = writePrintout(*request, set, readAppSettings());
    if (!error.isEmpty()) {
        printError(request->output + QStringLiteral(": ") + error);
        return 1;
    }
    printOut(request->output + QLatin1Char('\n'));
    return 0;
}

} // namespace

int run(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("コマンドがありません。"));
    const QString command = args.first();
    const qsizetype operands = args.size() - 1;
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        printOut(QString::fromUtf8(usage));
        return 0;
    }
    if (command == QLatin1String("csv")) {
        if (operands < 1 || operands > 2)
            return usageError(QStringLiteral("csv の引数の数が正しくありません。"));
        return csvCommand(args[1], operands == 2 ? args[2] : zt::csvProposal(args[1]));
    }
    if (command == QLatin1String("info")) {
        if (operands != 1)
            return usageError(QStringLiteral("info の引数の数が正しくありません。"));
        return infoCommand(args[1]);
    }
    if (command == QLatin1String("print"))
        return printCommand(args.mid(1));
    return usageError(QStringLiteral("不明なコマンドです: ") + command);
}

} // namespace zt2
