// Fuzzes huevane-html's input path: any bytes as the input, read and decoded
// as huevane-html reads them, then converted with the options the input asks for.
// Invalid UTF-8 must be reported at the offset of its first bad byte, with exit
// status 1 and nothing written; valid UTF-8 must give exit status 0 and the HTML
// of GenerateHtml, and in every format, with and without merged runs and escapes,
// an output that gives back the text's lines, every character in its colour.
//
// Input: a flags byte (bit 0 per line, bit 1 upper-case tags, bit 2 no quotes,
// bit 3 centre from the input, bits 4 and 5 the type, 0 to 2 for 1 to 3), the
// size of the pieces fed to the decoder, the batch of the streaming writer, the
// start and end colours as three bytes each, the centre as a little-endian
// 32-bit integer, then the bytes of the input.

#include "fuzzchecks.h"

#include "cli/convert.h"
#include "engine/charcolours.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>

using namespace huevane;
using namespace huevane::fuzz;

namespace {

// Qt's UTF-8 decoder, which knows nothing of huevane-html, as the judge of
// what is valid. A byte-order mark is decoded as a character.
bool qtDecodes(QByteArrayView bytes, QString *text = nullptr)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
                               | QStringDecoder::Flag::ConvertInitialBom);
    QString decoded = decoder(bytes);
    if (text)
        *text = decoded;
    return !decoder.hasError();
}

qsizetype qtFirstInvalid(QByteArrayView bytes)
{
    if (qtDecodes(bytes))
        return -1;
    // The first offset where no character of one to four bytes starts, after a
    // valid beginning.
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype length = 0;
        for (qsizetype k = 1; k <= 4 && at + k <= bytes.size() && length == 0; ++k) {
            if (qtDecodes(bytes.sliced(at, k)))
                length = k;
        }
        if (length == 0)
            return at;
        at += length;
    }
    return bytes.size(); // unreachable for input Qt calls invalid
}

// A FILE that writes into memory, and what was written once it is closed.
class MemoryFile
{
public:
    MemoryFile()
        : m_file(open_memstream(&m_data, &m_size))
    {
        Check(m_file != nullptr, "a memory stream opens");
    }
    ~MemoryFile() { std::free(m_data); }

    std::FILE *file() const { return m_file; }

    QByteArray close()
    {
        std::fclose(m_file);
        return QByteArray(m_data, qsizetype(m_size));
    }

private:
    char *m_data = nullptr;
    size_t m_size = 0;
    std::FILE *m_file;
};

// huevane-html's output for @p options and @p input, which must convert.
QByteArray convert(const cli::Options &options, const cli::InputText &input, qsizetype batch)
{
    MemoryFile out;
    MemoryFile err;
    const int status = cli::Convert(options, input, out.file(), err.file(), batch);
    Check(status == cli::Success && err.close().isEmpty(), "every format converts");
    return out.close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    InputReader in(data, size);
    const std::uint8_t flags = in.byte();
    const qsizetype piece = 1 + in.byte();
    const qsizetype batch = 1 + in.byte();
    cli::Options options;
    for (ColourTriplet *colour : {&options.start, &options.end}) {
        colour->red = in.byte();
        colour->green = in.byte();
        colour->blue = in.byte();
    }
    const std::int32_t centre = in.whole();
    if (flags & 8)
        options.centre = centre;
    options.type = static_cast<quint8>(1 + ((flags >> 4) & 3) % 3);
    options.perLine = flags & 1;
    options.upperCaseTags = flags & 2;
    options.noQuotes = flags & 4;
    const QByteArray bytes = in.rest().toByteArray();

    const qsizetype invalid = cli::FindInvalidUtf8(bytes);
    Check(invalid == qtFirstInvalid(bytes), "the first invalid byte is the one Qt finds");

    // The decoder fed in pieces, cut anywhere: inside a character, between CR and LF.
    cli::Utf8Decoder decoder;
    bool fed = true;
    for (qsizetype at = 0; at < bytes.size() && fed; at += piece)
        fed = decoder.feed(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
    const bool decoded = decoder.finish();
    Check(decoded == (invalid < 0), "the decoder accepts exactly valid UTF-8");
    Check(decoder.errorOffset() == invalid, "the decoder stops at the first invalid byte");

    // huevane-html's reading, then its conversion, as the program runs them.
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const cli::InputText input = cli::ReadInput(device, QStringLiteral("input"));
    MemoryFile out;
    MemoryFile err;
    const int status = cli::Convert(options, input, out.file(), err.file(), batch);
    const QByteArray written = out.close();
    const QByteArray message = err.close();

    if (invalid >= 0) {
        Check(status == cli::InputError, "invalid UTF-8 exits with status 1");
        Check(written.isEmpty(), "nothing is written for invalid UTF-8");
        Check(message.endsWith('\n') && message.count('\n') == 1, "the error is one line");
        Check(message.contains("byte offset " + QByteArray::number(invalid)),
              "the error gives the offset of the first invalid byte");
        return 0;
    }

    Check(status == cli::Success, "valid UTF-8 exits with status 0");
    Check(message.isEmpty(), "nothing on standard error for valid UTF-8");

    // The text, decoded by Qt and with its line breaks normalised by hand.
    QString expected;
    qtDecodes(bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : bytes,
              &expected);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    expected.replace(lineBreak, QStringLiteral("\r\n"));
    const QString text = decoder.takeText();
    Check(text == expected, "the decoder gives the text with CR LF line breaks");
    Check(input.text == expected, "huevane-html reads the text with CR LF line breaks");

    GradientSettings settings = cli::SettingsFor(options, text);
    ComputeCharColours(settings);
    const QString html = GenerateHtml(settings);
    Check(written == html.toUtf8(), "huevane-html writes what GenerateHtml gives");
    for (const OutputFormat format :
         {OutputFormat::Font, OutputFormat::Span, OutputFormat::BBCode, OutputFormat::Ansi}) {
        for (const int variant : {0, 1, 2, 3}) {
            options.merge = variant & 1;
            options.escape = variant & 2;
            if (options.escape && (format == OutputFormat::BBCode || format == OutputFormat::Ansi))
                continue;
            options.format = format;
            const QByteArray output = convert(options, input, batch);
            if (IsBlankText(settings.text))
                Check(output.isEmpty(), "a blank text writes nothing in every format");
            else
                CheckOutputGivesBackText(settings,
                                         {options.upperCaseTags, options.noQuotes, format,
                                          options.merge, options.escape},
                                         QString::fromUtf8(output));
        }
    }
    return 0;
}
