#pragma once
// Field kinds: how a value of each kind is shown, read from typed text and stored.
#include <QByteArrayView>
#include <QChar>
#include <QDateTime>
#include <optional>
#include <QString>
#include <QVariant>

namespace data {

enum class FieldKind { WideText, Double, Integer, DateTime, AutoInc };

// Names used in the binding messages ("Type mismatch ... expecting: Float actual: WideString").
QString kindName(FieldKind kind);

// General number format: at most 15 significant digits, no thousands separator,
// exponent form only for magnitudes >= 1E15 or non-zero below 0.0001.
QString formatDouble(double value);
// Strict reading of typed numbers; nullopt for anything that is not a whole number text.
std::optional<double> parseDouble(const QString& text);
std::optional<qint32> parseInteger(const QString& text);

// The date and time formats in force (from the default locale, widened to four-digit years).
QString shortDateFormat();
QString longTimeFormat();
QString formatDateTime(const QDateTime& value);
std::optional<QDateTime> parseDateTime(const QString& text);

// Stored form of a date/time: ISO 8601 text, so other SQLite tools can read it.
// Values are naive wall-clock times, held with the UTC spec so no time zone or DST shifts them.
QString toStoredDateTime(const QDateTime& value);
std::optional<QDateTime> fromStoredDateTime(const QString& text);
std::optional<QDateTime> fromStoredDateTime(QByteArrayView text);
// Whether stored text is a date/time, without building one (checked for every row read).
bool isStoredDateTime(QByteArrayView text);

// Display text of a value of the given kind; a null value shows as empty text.
QString displayText(FieldKind kind, const QVariant& value);

// Whether a bound edit box of this kind accepts the typed character.
bool acceptsChar(FieldKind kind, QChar ch);

// Converts typed text into a value of the kind. Throws DataError with the kind's message,
// naming the text and the field's display name.
QVariant valueFromText(FieldKind kind, int size, const QString& text, const QString& displayName);

// Length of a text in Big5 bytes; a character Big5 cannot encode counts as two.
int big5Length(const QString& text);

} // namespace data
