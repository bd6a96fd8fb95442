#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace huevane::cli {

/// The largest input huevane-html reads, in bytes: the character count of a
/// text is a 32-bit number.
inline constexpr qint64 MaxInputBytes = 0x7fffffff;

/// The byte offset of the first byte that is not part of valid UTF-8 in
/// @p bytes (a truncated, overlong or out-of-range sequence, or an encoded
/// surrogate), or -1 when all of it is valid.
qsizetype FindInvalidUtf8(QByteArrayView bytes);

/// Decodes UTF-8 that arrives in pieces of any size, also where a piece ends
/// inside a character, into UTF-16. Line breaks are kept as they come: a
/// prepared text finds the lines. A byte-order mark at the very start is
/// dropped. Stops at the first byte that is not valid UTF-8, the way
/// FindInvalidUtf8 finds it.
class Utf8Decoder
{
public:
    /// Code units kept ready for the text, beyond what is decoded; a hint only.
    void reserve(qsizetype units) { m_text.reserve(units); }

    /// Decodes the next @p bytes. Returns false, from then on, once the input
    /// holds a byte that is not valid UTF-8 (see errorOffset).
    bool feed(QByteArrayView bytes);

    /// Ends the input. Returns false when it is not valid UTF-8, which includes
    /// ending inside a character.
    bool finish();

    /// The byte offset, from the start of the input, of the first invalid byte;
    /// -1 while there is none.
    qint64 errorOffset() const { return m_error; }

    /// Bytes fed so far.
    qint64 bytesRead() const { return m_read; }

    /// The text decoded so far; after a successful finish, all of it.
    QString takeText() { return std::move(m_text); }

private:
    // Decodes @p size bytes at @p data, the next piece, to @p out, first
    // completing a character that the previous piece cut; returns the end of
    // what it wrote. Stops at the first invalid byte, setting m_error.
    char16_t *decode(const unsigned char *data, qsizetype size, char16_t *out);
    // Writes @p codePoint, the character at byte @p offset, to @p out unless it
    // is a byte-order mark at the very start; returns the end of what it wrote.
    char16_t *append(char16_t *out, char32_t codePoint, qint64 offset);

    QString m_text;
    qsizetype m_used = 0;    // code units of m_text written
    qint64 m_read = 0;       // bytes fed before the current piece
    qint64 m_error = -1;     // offset of the first invalid byte
    unsigned char m_held[4]; // the start of a character cut by the end of a piece
    int m_heldSize = 0;
    qint64 m_heldOffset = 0;
};

/// A text read from a file or standard input, or why it could not be.
struct InputText
{
    QString text;
    QString error; ///< one line; empty on success
};

/// Reads @p device to its end, checks that it is UTF-8 and decodes it; @p name
/// names it in the error. @p sizeHint, when known, is the number of bytes to
/// expect.
InputText ReadInput(QIODevice &device, const QString &name, qint64 sizeHint = -1);

/// Reads @p path ("-" for standard input), checks that it is UTF-8 and decodes it.
InputText ReadInput(const QString &path);

} // namespace huevane::cli
