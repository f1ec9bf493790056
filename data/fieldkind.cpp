#include "fieldkind.h"
#include "errors.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace data {

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::WideText: return QStringLiteral("WideString");
    case FieldKind::Double: return QStringLiteral("Float");
    case FieldKind::Integer: return QStringLiteral("Integer");
    case FieldKind::DateTime: return QStringLiteral("DateTime");
    case FieldKind::AutoInc: return QStringLiteral("AutoInc");
    }
    return {};
}

QString formatDouble(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    // %.15g picks exponent form exactly when the rounded exponent is < -4 or >= 15.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        // "1E+15" -> "1E15", "5E-05" -> "5E-5"
        QString mantissa = s.left(e);
        const QString exp = s.mid(e + 1);
        const bool negative = exp.startsWith(QLatin1Char('-'));
        QString digits = exp.mid(1);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        s = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + digits;
    }
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        s.replace(QLatin1Char('.'), point);
    return s;
}

std::optional<double> parseDouble(const QString& text)
{
    const QString t = text.trimmed();
    const QString point = QLocale().decimalPoint();
    // sign, digits with at most one decimal separator (at least one digit), optional exponent
    QString ascii;
    ascii.reserve(t.size());
    int i = 0;
    const int n = int(t.size());
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ascii += t[i++];
    int digits = 0;
    bool seenPoint = false;
    while (i < n) {
        if (t[i].isDigit() && t[i].unicode() < 128) {
            ascii += t[i++];
            ++digits;
        } else if (!seenPoint && t.mid(i, point.size()) == point) {
            ascii += QLatin1Char('.');
            i += int(point.size());
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ascii += QLatin1Char('e');
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ascii += t[i++];
        int expDigits = 0;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            ascii += t[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    // from_chars reads the C format whatever the process locale is; it takes no '+'.
    QByteArray latin = ascii.toLatin1();
    if (latin.startsWith('+'))
        latin.remove(0, 1);
    double v = 0;
    const auto [end, ec] = std::from_chars(latin.constData(), latin.constData() + latin.size(), v);
    if (ec != std::errc() || end != latin.constData() + latin.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint32> parseInteger(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return qint32(v);
}

QString shortDateFormat()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QStringLiteral("yyyy/M/d");
    QString f = locale.dateFormat(QLocale::ShortFormat);
    // Two-digit years cannot be read back safely.
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

QString longTimeFormat()
{
    const QLocale locale;
    QString f = locale.timeFormat(QLocale::LongFormat);
    // Time zone names and day periods do not read back; fall back to a 24-hour clock.
    if (locale.language() == QLocale::C || f.contains(QLatin1Char('B')))
        return QStringLiteral("HH:mm:ss");
    f.remove(QRegularExpression(QStringLiteral("\\s*\\[?t+\\]?")));
    return f.trimmed();
}

QString formatDateTime(const QDateTime& value)
{
    const QLocale locale;
    QString s = locale.toString(value.date(), shortDateFormat());
    if (value.time() != QTime(0, 0))
        s += QLatin1Char(' ') + locale.toString(value.time(), longTimeFormat());
    return s;
}

std::optional<QDateTime> parseDateTime(const QString& text)
{
    const QLocale locale;
    const QString t = text.trimmed();
    const QString date = shortDateFormat();
    for (const QString& fmt : {date + QLatin1Char(' ') + longTimeFormat(), date + QStringLiteral(" HH:mm"), date}) {
        const QDateTime dt = locale.toDateTime(t, fmt);
        if (dt.isValid())
            return QDateTime(dt.date(), dt.time(), Qt::UTC);
    }
    return std::nullopt;
}

QString toStoredDateTime(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::optional<QDateTime> fromStoredDateTime(const QString& text)
{
    return fromStoredDateTime(QByteArrayView(text.toUtf8()));
}

namespace {
struct StoredParts {
    int y, mo, d, h = 0, mi = 0, s = 0;
};

// 'YYYY-MM-DD', optionally followed by ' HH:MM:SS' (or 'T'); read by hand, it runs for every row.
std::optional<StoredParts> splitStored(QByteArrayView text)
{
    const int n = int(text.size());
    auto num = [&](int from, int len, int& out) {
        if (from + len > n)
            return false;
        int v = 0;
        for (int k = from; k < from + len; ++k) {
            const char c = text[k];
            if (c < '0' || c > '9')
                return false;
            v = v * 10 + (c - '0');
        }
        out = v;
        return true;
    };
    StoredParts p{};
    if (n < 10 || !num(0, 4, p.y) || text[4] != '-' || !num(5, 2, p.mo) || text[7] != '-' || !num(8, 2, p.d))
        return std::nullopt;
    if (n > 10) {
        if (n != 19 || (text[10] != ' ' && text[10] != 'T') || !num(11, 2, p.h) || text[13] != ':'
            || !num(14, 2, p.mi) || text[16] != ':' || !num(17, 2, p.s))
            return std::nullopt;
    }
    if (!QDate::isValid(p.y, p.mo, p.d) || !QTime::isValid(p.h, p.mi, p.s))
        return std::nullopt;
    return p;
}
} // namespace

bool isStoredDateTime(QByteArrayView text) { return splitStored(text).has_value(); }

std::optional<QDateTime> fromStoredDateTime(QByteArrayView text)
{
    const auto p = splitStored(text);
    if (!p)
        return std::nullopt;
    return QDateTime(QDate(p->y, p->mo, p->d), QTime(p->h, p->mi, p->s), Qt::UTC);
}

QString displayText(FieldKind kind, const QVariant& value)
{
    if (!value.isValid())
        return {};
    switch (kind) {
    case FieldKind::WideText: return value.toString();
    case FieldKind::Double: return formatDouble(value.toDouble());
    case FieldKind::Integer:
    case FieldKind::AutoInc: return QString::number(value.toLongLong());
    case FieldKind::DateTime: return formatDateTime(value.toDateTime());
    }
    return {};
}

bool acceptsChar(FieldKind kind, QChar ch)
{
    const bool digit = ch.unicode() >= '0' && ch.unicode() <= '9';
    switch (kind) {
    case FieldKind::WideText:
    case FieldKind::DateTime: return true;
    case FieldKind::Integer: return digit || ch == QLatin1Char('+') || ch == QLatin1Char('-');
    case FieldKind::Double:
        return digit || ch == QLatin1Char('+') || ch == QLatin1Char('-') || ch == QLatin1Char('E')
            || ch == QLatin1Char('e') || QString(ch) == QLocale().decimalPoint();
    case FieldKind::AutoInc: return false;
    }
    return false;
}

QVariant valueFromText(FieldKind kind, int size, const QString& text, const QString& displayName)
{
    switch (kind) {
    case FieldKind::WideText: return size > 0 && text.size() > size ? text.left(size) : text;
    case FieldKind::Double: {
        if (text.isEmpty())
            return {};
        if (auto v = parseDouble(text))
            return *v;
        throw DataError(QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(text, displayName));
    }
    case FieldKind::Integer: {
        if (text.isEmpty())
            return {};
        if (auto v = parseInteger(text))
            return qint64(*v);
        throw DataError(QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, displayName));
    }
    case FieldKind::DateTime: {
        if (text.isEmpty())
            return {};
        if (auto v = parseDateTime(text))
            return *v;
        throw DataError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
    case FieldKind::AutoInc: break;
    }
    throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(displayName));
}

int big5Length(const QString& text)
{
    // Big5 holds ASCII in one byte and every other character it knows in two; a character it
    // cannot encode is counted as two as well, so the byte count needs no encoder round trip.
    int bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80)
            bytes += 1;
        else if (!c.isLowSurrogate())
            bytes += 2;
    }
    return bytes;
}

} // namespace data
