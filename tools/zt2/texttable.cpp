#include "texttable.h"

namespace zt2 {

namespace {

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

} // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (char32_t c : text.toUcs4())
        width += isWide(c) ? 2 : 1;
    return width;
}

QString TextTable::render() const
{
    std::vector<int> widths(aligns.size(), 0);
    for (const QStringList &row : rows)
        for (qsizetype i = 0; i < row.size() && std::size_t(i) < widths.size(); ++i)
            widths[std::size_t(i)] = qMax(widths[std::size_t(i)], displayWidth(row[i]));
    QStringList lines;
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype i = 0; i < row.size() && std::size_t(i) < widths.size(); ++i) {
            const QString pad(widths[std::size_t(i)] - displayWidth(row[i]), QLatin1Char(' '));
            if (i > 0)
                line += QStringLiteral("  ");
            line += aligns[std::size_t(i)] == Align::Right ? pad + row[i] : row[i] + pad;
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace zt2
