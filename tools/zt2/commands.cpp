#include "commands.h"

#include "infotext.h"
#include "printcommand.h"

#include "platform/folders.h"
#include "records/commatext.h"
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

// Control characters (a NUL or an escape in a names file) would cut the output or
// steer the terminal; they are shown as spaces, as the settings writer stores them.
QString printable(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return out;
}

// False when the text did not reach stdout whole (a full disk, a closed pipe).
bool printOut(const QString &text)
{
    const QByteArray bytes = printable(text).toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
                         std::size_t(bytes.size());
    return std::fflush(stdout) == 0 && written && !std::ferror(stdout);
}

void printError(const QString &line)
{
    const QByteArray bytes =
        printable(QStringLiteral("zt2: ") + line).toLocal8Bit() + QByteArrayLiteral("\n");
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

// The error's text with its number, as the analysis program's error box shows it.
QString errorLine(int error)
{
    const QString detail = error == zt::InputPastEndError
                               ? QStringLiteral("ファイルが途中で終わっています。")
                               : QString();
    return zt::errorText(error, detail) + QStringLiteral(" (エラー") + QString::number(error) +
           QLatin1Char(')');
}

int outputFailed()
{
    printError(QStringLiteral("標準出力への書き込みに失敗しました。"));
    return 1;
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
            printError(path + QStringLiteral(": ") + errorLine(error) +
                       QStringLiteral(" 読めなかった名前は既定の名前を使います。"));
    }
    return records;
}

bool load(const QString &path, zt::LogSet &set)
{
    const zt::SettingsRecords names = readNames();
    if (const int error = zt::loadZt2(path, names.oya, names.koNames, set)) {
        printError(path + QStringLiteral(": ") + errorLine(error));
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
        printError(output + QStringLiteral(": ") + errorLine(error));
        return 1;
    }
    return printOut(output + QLatin1Char('\n')) ? 0 : outputFailed();
}

int infoCommand(const QString &input)
{
    zt::LogSet set;
    if (!load(input, set))
        return 1;
    zt::nameUnnamedSeries(set);
    return printOut(infoText(set)) ? 0 : outputFailed();
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
        return printOut(QString::fromUtf8(usage)) ? 0 : outputFailed();
    }
    if (command == QLatin1String("csv")) {
        if (operands < 1 || operands > 2)
            return usageError(QStringLiteral("csv の引数の数が正しくありません。"));
        if (args.mid(1).contains(QString()))
            return usageError(QStringLiteral("ファイル名が空です。"));
        return csvCommand(args[1], operands == 2 ? args[2] : zt::csvProposal(args[1]));
    }
    if (command == QLatin1String("info")) {
        if (operands != 1)
            return usageError(QStringLiteral("info の引数の数が正しくありません。"));
        if (args[1].isEmpty())
            return usageError(QStringLiteral("ファイル名が空です。"));
        return infoCommand(args[1]);
    }
    if (command == QLatin1String("print"))
        return printCommand(args.mid(1));
    return usageError(QStringLiteral("不明なコマンドです: ") + command);
}

} // namespace zt2
