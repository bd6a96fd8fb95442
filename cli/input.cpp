#include "input.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace huevane::cli {

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
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        qsizetype length;
        unsigned char low = 0x80;  // bounds of the second byte, which rule out
        unsigned char high = 0xBF; // overlong forms, surrogates and values past U+10FFFF
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        for (qsizetype k = 1; k < length; ++k) {
            if (i + k >= size)
                return i;
            const unsigned char next = data[i + k];
            if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF))
                return i;
        }
        i += length;
    }
    return -1;
}

QString DecodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);

    // Line breaks are ASCII, so they can be normalised before decoding.
    QByteArray normalised;
    normalised.reserve(bytes.size() + bytes.size() / 16);
    qsizetype from = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        normalised.append(bytes.sliced(from, i - from));
        normalised.append("\r\n", 2);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        from = i + 1;
    }
    normalised.append(bytes.sliced(from));
    return QString::fromUtf8(normalised);
}

InputText ReadInput(const QString &path)
{
    const bool standardInput = path == u"-";
    const QString name = standardInput ? QStringLiteral("standard input") : path;
    const auto failure = [&](const QString &why) {
        return InputText {{}, name + QStringLiteral(": ") + why};
    };

    QFile file;
    if (standardInput) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            return failure(QStringLiteral("cannot be read"));
    } else {
        const QFileInfo info(path);
        if (!info.exists())
            return failure(QStringLiteral("no such file"));
        if (info.isDir())
            return failure(QStringLiteral("is a directory, not a file"));
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return failure(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    }

    QByteArray bytes;
    if (!standardInput)
        bytes.reserve(qMin(file.size(), MaxInputBytes) + 1);
    constexpr qint64 chunk = 1 << 20;
    for (;;) {
        const qsizetype before = bytes.size();
        if (bytes.capacity() < before + chunk)
            bytes.reserve(qMax(2 * bytes.capacity(), before + chunk));
        bytes.resize(before + chunk);
        const qint64 got = file.read(bytes.data() + before, chunk);
        if (got < 0)
            return failure(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
        bytes.resize(before + got);
        if (got == 0)
            break;
        if (bytes.size() > MaxInputBytes)
            return failure(QStringLiteral("is larger than %1 bytes, the most huevane-html reads")
                               .arg(MaxInputBytes));
    }

    if (const qsizetype bad = FindInvalidUtf8(bytes); bad >= 0)
        return failure(QStringLiteral("not valid UTF-8 at byte offset %1").arg(bad));
    return InputText {DecodeText(bytes), {}};
}

} // namespace huevane::cli
