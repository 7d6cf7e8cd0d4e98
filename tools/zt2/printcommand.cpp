#include "printcommand.h"

#include "graph/graphstate.h"
#include "graph/seriesselection.h"
#include "print/datalist.h"
#include "print/graphpage.h"
#include "print/parametersheet.h"
#include "print/printcontrol.h"
#include "print/printfont.h"
#include "records/channels.h"
#include "records/fileerrors.h"
#include "records/messages.h"

#include <QRegularExpression>
#include <algorithm>

namespace zt2 {

namespace {

std::optional<PrintRequest::Kind> kindOf(const QString &word)
{
    static const QStringList words = {QStringLiteral("list"), QStringLiteral("part"),
                                      QStringLiteral("params"), QStringLiteral("graph")};
    const qsizetype i = words.indexOf(word);
    if (i < 0)
        return std::nullopt;
    return PrintRequest::Kind(i);
}

bool parseRows(const QString &text, PrintRequest &r)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})-(\\d{1,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    r.rows = std::make_pair(m.captured(1).toInt(), m.captured(2).toInt());
    return true;
}

bool parseTransmitters(const QString &text, PrintRequest &r)
{
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int koNo = part.trimmed().toInt(&ok);
        if (!ok)
            return false;
        r.transmitters.push_back(koNo);
    }
    return !r.transmitters.empty();
}

// The chosen transmitters as series numbers, or the error.
QString chooseSeries(const PrintRequest &request, const zt::LogSet &set, std::vector<int> &chosen)
{
    const std::vector<zt::SelectionCandidate> candidates = zt::selectionCandidates(set);
    if (candidates.empty())
        return QStringLiteral("データのある送信器がありません。");
    if (request.transmitters.empty()) {
        for (std::size_t i = 0; i < candidates.size() && i < zt::MaxChosenTransmitters; ++i)
            chosen.push_back(candidates[i].seriesNo);
        return {};
    }
    if (int(request.transmitters.size()) > zt::MaxChosenTransmitters)
        return QStringLiteral("一度に印刷できる送信器は4台までです。");
    for (int koNo : request.transmitters) {
        if (koNo < 1 || koNo > zt::MaxKo || !set.ko(koNo).hasSamples())
            return QStringLiteral("送信器 %1 のデータはありません。").arg(koNo);
        const int seriesNo = set.ko(koNo).SeriesNo;
        if (std::find(chosen.begin(), chosen.end(), seriesNo) != chosen.end())
            return QStringLiteral("送信器 %1 が重複しています。").arg(koNo);
        chosen.push_back(seriesNo);
    }
    std::sort(chosen.begin(), chosen.end());
    return {};
}

} // namespace

std::optional<PrintRequest> parsePrintArgs(const QStringList &operands, QString *error)
{
    auto fail = [error](const QString &text) {
        *error = text;
        return std::nullopt;
    };
    PrintRequest r;
    QStringList positional;
    for (qsizetype i = 0; i < operands.size(); ++i) {
        const QString &a = operands[i];
        const bool rows = a == QLatin1String("--rows");
        if (rows || a == QLatin1String("--transmitters")) {
            if (i + 1 >= operands.size())
                return fail(a + QStringLiteral(" の値がありません。"));
            const QString value = operands[++i];
            if (rows && !parseRows(value, r))
                return fail(QStringLiteral("--rows は FIRST-LAST の形で指定してください: ") +
                            value);
            if (!rows && !parseTransmitters(value, r))
                return fail(QStringLiteral("--transmitters は N,N,… の形で指定してください: ") +
                            value);
        } else if (a.startsWith(QLatin1String("--"))) {
            return fail(QStringLiteral("不明なオプションです: ") + a);
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 3)
        return fail(QStringLiteral("print の引数の数が正しくありません。"));
    const std::optional<PrintRequest::Kind> kind = kindOf(positional[0]);
    if (!kind)
        return fail(QStringLiteral("印刷の種類は list, part, params, graph のどれかです: ") +
                    positional[0]);
    r.kind = *kind;
    r.input = positional[1];
    r.output = positional[2];
    if (r.rows && (r.kind == PrintRequest::List || r.kind == PrintRequest::Params))
        return fail(QStringLiteral("--rows は part と graph にだけ指定できます。"));
    return r;
}

QString writePrintout(const PrintRequest &request, const zt::LogSet &set,
                      const zt::AppSettings &settings)
{
    std::vector<int> chosen;
    if (const QString error = chooseSeries(request, set, chosen); !error.isEmpty())
        return error;
    const zt::DisplayChannels channels = zt::buildDisplayChannels(set);
    const zt::GraphSeries series = zt::buildGraphSeries(chosen);
    const int total = zt::rowTotal(set);
    zt::RowSpan rows{1, total};
    if (request.rows) {
        rows = {request.rows->first, request.rows->second};
        if (rows.first < 1 || rows.last > total || rows.last < rows.first)
            return QStringLiteral("--rows は 1-%1 の範囲で、開始を終了以下にしてください。")
                .arg(total);
    }
    const zt::ListPrintInput list{&set, &channels, series, zt::printFontFamily()};
    zt::Printout printout;
    switch (request.kind) {
    case PrintRequest::List:
    case PrintRequest::Part:
        printout = [&](zt::PrintEngine &e) { return zt::printDataList(e, list, rows); };
        break;
    case PrintRequest::Params:
        printout = [&](zt::PrintEngine &e) { return zt::printParameterSheet(e, list); };
        break;
    case PrintRequest::Graph: {
        zt::GraphPageInput page;
        page.set = &set;
        page.channels = &channels;
        page.series = series;
        page.settings = settings;
        page.fontFamily = list.fontFamily;
        if (request.rows) {
            page.state.TimeZoomed = true;
            page.state.view = {rows.first, rows.last};
        }
        printout = [page](zt::PrintEngine &e) { return zt::printGraphPage(e, page); };
        break;
    }
    }
    QString engineError;
    const int error = zt::PrintControl::writePdf(request.output, printout,
                                                 zt::PrintControl::defaultLayout(), &engineError);
    if (error == -1)
        return engineError;
    if (error != 0)
        return zt::errorText(error, QString());
    return {};
}

} // namespace zt2
