#include "input.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace huevane::cli {

namespace {

// The length (1 to 4) of the UTF-8 sequence at data[i], with its code point in
// @p codePoint; 0 when the sequence is invalid; -1 when it is valid as far as
// it goes but cut short by the end of data.
int sequenceAt(const unsigned char *data, qsizetype size, qsizetype i, char32_t &codePoint)
{
    const unsigned char lead = data[i];
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    int length;
    char32_t value;
    unsigned char low = 0x80;  // bounds of the second byte, which rule out
    unsigned char high = 0xBF; // overlong forms, surrogates and values past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if (i + k >= size)
            return -1;
        const unsigned char next = data[i + k];
        if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF))
            return 0;
        value = value << 6 | (next & 0x3F);
    }
    codePoint = value;
    return length;
}

char16_t *putCodePoint(char16_t *out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        *out++ = static_cast<char16_t>(codePoint);
    } else {
        *out++ = QChar::highSurrogate(codePoint);
        *out++ = QChar::lowSurrogate(codePoint);
    }
    return out;
}

constexpr qint64 ReadChunk = 1 << 20;

QString tooLarge()
{
    return QStringLiteral("is larger than %1 bytes, the most huevane-html reads")
        .arg(MaxInputBytes);
}

} // namespace

qsizetype FindInvalidUtf8(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // Plain ASCII, eight bytes at a time.
        if (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        char32_t codePoint;
        const int length = sequenceAt(data, size, i, codePoint);
        if (length <= 0)
            return i;
        i += length;
    }
    return -1;
}

bool Utf8Decoder::feed(QByteArrayView bytes)
{
    if (m_error >= 0)
        return false;
    // Every byte gives at most one code unit (a character of four bytes is a
    // surrogate pair), and the end of a character cut by the last piece two.
    m_text.resize(m_used + bytes.size() + 2);
    char16_t *const base = reinterpret_cast<char16_t *>(m_text.data());
    const char16_t *const end =
        decode(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), base + m_used);
    m_used = end - base;
    m_text.resize(m_used);
    if (m_error >= 0)
        return false;
    m_read += bytes.size();
    return true;
}

char16_t *Utf8Decoder::decode(const unsigned char *data, qsizetype size, char16_t *out)
{
    qsizetype i = 0;
    // First the rest of a character that the previous piece cut.
    while (m_heldSize > 0 && i < size) {
        m_held[m_heldSize++] = data[i++];
        char32_t codePoint;
        const int length = sequenceAt(m_held, m_heldSize, 0, codePoint);
        if (length == 0) {
            m_error = m_heldOffset;
            return out;
        }
        if (length > 0) {
            out = append(out, codePoint, m_heldOffset);
            m_heldSize = 0;
        }
    }

    while (i < size) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            *out++ = c;
            ++i;
            continue;
        }
        char32_t codePoint;
        const int length = sequenceAt(data, size, i, codePoint);
        if (length == 0) {
            m_error = m_read + i;
            return out;
        }
        if (length < 0) {
            m_heldSize = static_cast<int>(size - i);
            std::memcpy(m_held, data + i, static_cast<size_t>(m_heldSize));
            m_heldOffset = m_read + i;
            break;
        }
        out = append(out, codePoint, m_read + i);
        i += length;
    }
    return out;
}

char16_t *Utf8Decoder::append(char16_t *out, char32_t codePoint, qint64 offset)
{
    // A byte-order mark at the very start says only that the text is UTF-8.
    if (offset == 0 && codePoint == 0xFEFF)
        return out;
    return putCodePoint(out, codePoint);
}

bool Utf8Decoder::finish()
{
    if (m_error < 0 && m_heldSize > 0)
        m_error = m_heldOffset;
    return m_error < 0;
}

InputText ReadInput(QIODevice &device, const QString &name, qint64 sizeHint)
{
    const auto failure = [&](const QString &why) {
        return InputText {{}, name + QStringLiteral(": ") + why};
    };

    Utf8Decoder decoder;
    // A text takes at most a code unit a byte.
    if (sizeHint > 0)
        decoder.reserve(qMin(sizeHint, MaxInputBytes) + 2);
    QByteArray chunk(ReadChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(chunk.data(), chunk.size());
        if (got < 0)
            return failure(QStringLiteral("cannot be read (%1)").arg(device.errorString()));
        if (got == 0)
            break;
        if (decoder.bytesRead() + got > MaxInputBytes)
            return failure(tooLarge());
        if (!decoder.feed(QByteArrayView(chunk.constData(), got)))
            break;
    }
    if (!decoder.finish())
        return failure(
            QStringLiteral("not valid UTF-8 at byte offset %1").arg(decoder.errorOffset()));
    return InputText {decoder.takeText(), {}};
}

InputText ReadInput(const QString &path)
{
    if (path == u"-") {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return InputText {{}, QStringLiteral("standard input: cannot be read")};
        return ReadInput(in, QStringLiteral("standard input"));
    }

    if (path.isEmpty())
        return InputText {{}, QStringLiteral("the file name is empty")};
    const auto failure = [&](const QString &why) {
        return InputText {{}, path + QStringLiteral(": ") + why};
    };
    const QFileInfo info(path);
    if (info.isDir())
        return failure(QStringLiteral("is a directory, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot be opened (%1)").arg(file.errorString()));
    if (file.size() > MaxInputBytes)
        return failure(tooLarge());
    return ReadInput(file, path, file.size());
}

} // namespace huevane::cli
