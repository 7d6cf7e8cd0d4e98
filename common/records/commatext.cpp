#include "records/commatext.h"

#include "records/cp932.h"

namespace zt {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// A run of one or two ASCII digits within `limit`, or -1.
int smallNumber(const QByteArray &part, int limit)
{
    if (part.isEmpty() || part.size() > 2)
        return -1;
    int value = 0;
    for (char c : part) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value <= limit ? value : -1;
}

} // namespace

QString CommaWriter::storableText(const QString &value)
{
    QString out = value;
    out.replace(QLatin1Char('"'), QChar(0xFF02));
    for (QChar &c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    return out;
}

void CommaWriter::separate()
{
    if (m_lineOpen)
        m_data += ',';
    m_lineOpen = true;
}

CommaWriter &CommaWriter::text(const QString &value)
{
    separate();
    const auto bytes = toCp932(storableText(value));
    if (!bytes)
        m_encodable = false;
    m_data += '"';
    m_data += bytes.value_or(QByteArray());
    m_data += '"';
    return *this;
}

CommaWriter &CommaWriter::number(qint64 value)
{
    separate();
    m_data += QByteArray::number(value);
    return *this;
}

CommaWriter &CommaWriter::time(QTime value)
{
    separate();
    m_data += '#';
    m_data += value.toString(QStringLiteral("hh:mm:ss")).toLatin1();
    m_data += '#';
    return *this;
}

void CommaWriter::endLine()
{
    m_data += "\r\n";
    m_lineOpen = false;
}

void CommaReader::skipSpaces()
{
    while (m_pos < m_data.size() && isBlank(m_data.at(m_pos)))
        ++m_pos;
}

void CommaReader::skipSeparator()
{
    // Anything between a closing quote and the separator is dropped with it.
    while (m_pos < m_data.size() && m_data.at(m_pos) != ',' && !isLineEnd(m_data.at(m_pos)))
        ++m_pos;
    if (m_pos >= m_data.size())
        return;
    if (m_data.at(m_pos) == '\r' && m_pos + 1 < m_data.size() && m_data.at(m_pos + 1) == '\n')
        ++m_pos;
    ++m_pos;
}

bool CommaReader::next(QByteArray &raw, bool &quoted)
{
    // Blank lines between values do not count, so any line split reads the same.
    while (m_pos < m_data.size() && (isBlank(m_data.at(m_pos)) || isLineEnd(m_data.at(m_pos))))
        ++m_pos;
    if (m_pos >= m_data.size())
        return false;
    quoted = m_data.at(m_pos) == '"';
    if (quoted) {
        const qsizetype close = m_data.indexOf('"', m_pos + 1);
        const qsizetype end = close < 0 ? m_data.size() : close;
        raw = m_data.mid(m_pos + 1, end - m_pos - 1);
        m_pos = close < 0 ? end : close + 1;
    } else {
        qsizetype end = m_pos;
        while (end < m_data.size() && m_data.at(end) != ',' && !isLineEnd(m_data.at(end)))
            ++end;
        raw = m_data.mid(m_pos, end - m_pos);
        while (!raw.isEmpty() && isBlank(raw.back()))
            raw.chop(1);
        m_pos = end;
    }
    skipSeparator();
    return true;
}

int CommaReader::readText(QString &out)
{
    QByteArray raw;
    bool quoted = false;
    if (!next(raw, quoted))
        return InputPastEndError;
    out = fromCp932(raw);
    return 0;
}

int CommaReader::readInteger(qint64 &out, qint64 min, qint64 max)
{
    QByteArray raw;
    bool quoted = false;
    if (!next(raw, quoted))
        return InputPastEndError;
    const qsizetype digitsFrom = !raw.isEmpty() && (raw[0] == '-' || raw[0] == '+') ? 1 : 0;
    if (raw.size() == digitsFrom || raw.size() > 20)
        return BadFileFormatError;
    for (qsizetype i = digitsFrom; i < raw.size(); ++i)
        if (raw.at(i) < '0' || raw.at(i) > '9')
            return BadFileFormatError;
    bool ok = false;
    const qint64 value = raw.toLongLong(&ok);
    if (!ok || value < min || value > max)
        return BadFileFormatError;
    out = value;
    return 0;
}

int CommaReader::readTime(QTime &out)
{
    QByteArray raw;
    bool quoted = false;
    if (!next(raw, quoted))
        return InputPastEndError;
    const QTime value = parseSettingsTime(raw);
    if (!value.isValid())
        return BadFileFormatError;
    out = value;
    return 0;
}

bool CommaReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_data.size(); ++i)
        if (!isBlank(m_data.at(i)) && !isLineEnd(m_data.at(i)))
            return false;
    return true;
}

QTime parseSettingsTime(const QByteArray &raw)
{
    QByteArray text = raw.trimmed();
    if (text.size() >= 2 && text.front() == '#' && text.back() == '#')
        text = text.mid(1, text.size() - 2).trimmed();
    const QList<QByteArray> parts = text.split(':');
    if (parts.size() != 2 && parts.size() != 3)
        return {};
    const int h = smallNumber(parts[0], 23);
    const int m = smallNumber(parts[1], 59);
    const int s = parts.size() == 3 ? smallNumber(parts[2], 59) : 0;
    if (h < 0 || m < 0 || s < 0)
        return {};
    return QTime(h, m, s);
}

} // namespace zt
