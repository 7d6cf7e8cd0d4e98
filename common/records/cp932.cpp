#include "records/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace zt {

namespace {

// One conversion through glibc iconv; "CP932" (not SHIFT_JIS) keeps the
// vendor characters such as the full-width tilde and NEC symbols.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in,
                                  bool lossy)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    QByteArray out;
    out.resize(in.size() * 2 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    bool ok = true;
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1))
            break;
        if (errno == E2BIG) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = size_t(out.size() - used);
            continue;
        }
        // EILSEQ or EINVAL: an input sequence without a counterpart.
        if (!lossy) {
            ok = false;
            break;
        }
        if (dstLeft < 1) {
            const qsizetype used = dst - out.data();
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = size_t(out.size() - used);
        }
        *dst++ = '?';
        --dstLeft;
        // Skip one input character: a whole UTF-8 sequence, or one CP932 byte.
        size_t skip = 1;
        if (qstrcmp(from, "UTF-8") == 0) {
            const unsigned char c = static_cast<unsigned char>(*src);
            skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            skip = qMin(skip, srcLeft);
        }
        src += skip;
        srcLeft -= skip;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(dst - out.data());
    return out;
}

} // namespace

std::optional<QByteArray> toCp932(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    return convert("CP932", "UTF-8", text.toUtf8(), false);
}

QByteArray toCp932Lossy(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    return convert("CP932", "UTF-8", text.toUtf8(), true).value_or(QByteArray());
}

QString fromCp932(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    return QString::fromUtf8(convert("UTF-8", "CP932", bytes, true).value_or(QByteArray()));
}

int cp932Length(const QString &text)
{
    const auto bytes = toCp932(text);
    return bytes ? int(bytes->size()) : -1;
}

bool isCp932Encodable(const QString &text)
{
    return toCp932(text).has_value();
}

std::pair<QString, QString> splitNameAtBytes(const QString &name, int bytes)
{
    int used = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const qsizetype len = name.at(i).isHighSurrogate() ? 2 : 1;
        const int width = qMax(1, cp932Length(name.mid(i, len)));
        if (used + width > bytes)
            break;
        used += width;
        i += len;
    }
    return {name.left(i), name.mid(i)};
}

} // namespace zt
