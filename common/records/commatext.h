#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>
#include <limits>

// The comma-separated text of the settings files, in code page 932.
// Writing: texts quoted, integers plain decimal, values of one statement separated
// by commas, each statement one line ending CR LF, times as #hh:mm:ss#.
// Reading: a value ends at a comma or a line end, quoted text may hold commas,
// leading spaces are skipped, so a different line split reads the same.
namespace zt {

// Run-time error numbers the readers return besides 0.
constexpr int InputPastEndError = 62;   // the file ends before every value was read
constexpr int BadFileFormatError = 321; // a value that is not what its place needs

class CommaWriter
{
public:
    // A double quote cannot be read back inside a quoted text, so it is stored as the
    // full-width quote; line breaks and other control characters become spaces.
    CommaWriter &text(const QString &value);
    CommaWriter &number(qint64 value);
    CommaWriter &time(QTime value);
    // Ends the current statement with CR LF.
    void endLine();

    // False once a text had no code page 932 form; such a file is never written.
    bool encodable() const { return m_encodable; }
    const QByteArray &data() const { return m_data; }

    static QString storableText(const QString &value);

private:
    void separate();

    QByteArray m_data;
    bool m_lineOpen = false;
    bool m_encodable = true;
};

class CommaReader
{
public:
    explicit CommaReader(QByteArray data) : m_data(std::move(data)) {}

    // Each returns 0, InputPastEndError or BadFileFormatError; on an error `out` is
    // left as it was.
    int readText(QString &out);
    int readInteger(qint64 &out, qint64 min, qint64 max);
    template <typename Int>
    int readInt(Int &out, qint64 min = std::numeric_limits<Int>::min(),
                qint64 max = std::numeric_limits<Int>::max())
    {
        qint64 v = 0;
        const int error = readInteger(v, min, max);
        if (error == 0)
            out = Int(v);
        return error;
    }
    // #hh:mm:ss#, or a plain hh:mm / hh:mm:ss.
    int readTime(QTime &out);
    // True when only blanks and line ends are left.
    bool atEnd() const;

private:
    // The next raw value; false at the end of the data.
    bool next(QByteArray &raw, bool &quoted);
    void skipSpaces();
    void skipSeparator();

    QByteArray m_data;
    qsizetype m_pos = 0;
};

// The time forms the reader accepts, without the surrounding #; invalid QTime otherwise.
QTime parseSettingsTime(const QByteArray &raw);

} // namespace zt
