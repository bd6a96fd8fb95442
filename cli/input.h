#pragma once

#include <QByteArrayView>
#include <QString>

namespace huevane::cli {

/// The largest input huevane-html reads, in bytes: the character count of a
/// text is a 32-bit number.
inline constexpr qint64 MaxInputBytes = 0x7fffffff;

/// The byte offset of the first byte that is not part of valid UTF-8 in
/// @p bytes (a truncated, overlong or out-of-range sequence, or an encoded
/// surrogate), or -1 when all of it is valid.
qsizetype FindInvalidUtf8(QByteArrayView bytes);

/// Decodes valid UTF-8 @p bytes into a text whose line breaks are CR LF: CR LF,
/// LF and a lone CR each become CR LF. A byte-order mark at the very start is
/// dropped.
QString DecodeText(QByteArrayView bytes);

/// A text read from a file or standard input, or why it could not be.
struct InputText
{
    QString text;
    QString error; ///< one line; empty on success
};

/// Reads @p path ("-" for standard input), checks that it is UTF-8 and decodes it.
InputText ReadInput(const QString &path);

} // namespace huevane::cli
