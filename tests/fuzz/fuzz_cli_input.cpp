// Fuzzes huevane-html's input path: any bytes as the input, read and decoded
// as huevane-html reads them, then converted with the options the input asks for.
// Invalid UTF-8 must be reported at the offset of its first bad byte, with exit
// status 1 and nothing written; valid UTF-8 must give exit status 0 and the HTML
// of FormattedText, and in every format, with and without merged runs, escapes and
// styles, and in templates of one's own,
// an output that gives back the text's lines, every character in its colour.
//
// Input: a flags byte (bit 0 per line, bit 1 upper-case tags, bit 2 no quotes,
// bit 3 centre from the input, bits 4 and 5 the type, 0 to 2 for 1 to 3, bit 6
// the colours as two stops mixed in oklab, oklch or hsl by the piece size, bit 7
// the longer way round the hue circle), the
// size of the pieces fed to the decoder, the batch of the streaming writer, the
// start and end colours as three bytes each, the centre as a little-endian
// 32-bit integer, then the bytes of the input.

#include "fuzzchecks.h"

#include "cli/convert.h"
#include "engine/charcolours.h"

#include <QBuffer>
#include <QStringDecoder>

using namespace huevane;
using namespace huevane::fuzz;

namespace {

// Qt's UTF-8 decoder, which knows nothing of huevane-html, as the judge of
// what is valid. A byte-order mark is decoded as a character.
std::optional<QString> qtDecoded(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless
                               | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder(bytes);
    return decoder.hasError() ? std::nullopt : std::optional(text);
}

// The first offset where no character of one to four bytes starts, after a
// valid beginning; -1 when there is none.
qsizetype qtFirstInvalid(QByteArrayView bytes)
{
    qsizetype at = 0;
    for (qsizetype length = 1; length <= 4 && at + length <= bytes.size(); ++length) {
        if (qtDecoded(bytes.sliced(at, length))) {
            at += length;
            length = 0;
        }
    }
    return at == bytes.size() ? -1 : at;
}

// huevane-html's conversion of @p input, which must end with exit status
// @p status; what it writes to standard output and to standard error, both kept
// in one memory stream.
QByteArray convert(const cli::Options &options, const cli::InputText &input, qsizetype batch,
                   int status = cli::Success)
{
    char *data = nullptr;
    size_t size = 0;
    std::FILE *out = open_memstream(&data, &size);
    Check(cli::Convert(options, input, out, out, batch) == status,
          "huevane-html exits with status 0, or 1 for invalid UTF-8");
    std::fclose(out);
    const QByteArray written(data, qsizetype(size));
    std::free(data);
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    InputReader in {{data, qsizetype(size)}};
    const auto flags = in.take();
    const qsizetype piece = 1 + in.take();
    const qsizetype batch = 1 + in.take();
    cli::Options options;
    for (ColourTriplet *colour : {&options.start, &options.end})
        *colour = {float(in.take()), float(in.take()), float(in.take())};
    if (const auto centre = in.take<std::int32_t>(); flags & 8)
        options.centre = centre;
    options.type = static_cast<quint8>(1 + ((flags >> 4) & 3) % 3);
    options.perLine = flags & 1;
    options.output.upperCaseTags = flags & 2;
    options.output.noQuotes = flags & 4;
    if (flags & 64) {
        options.space = ColourSpace(1 + piece % 3);
        if (options.space != ColourSpace::Oklab && (flags & 128))
            options.hue = HueRule::Longer;
    }
    QByteArray bytes = in.rest.toByteArray();

    const qsizetype invalid = cli::FindInvalidUtf8(bytes);
    Check(invalid == qtFirstInvalid(bytes), "the first invalid byte is the one Qt finds");

    // The decoder fed in pieces, cut anywhere: inside a character, between CR and LF.
    cli::Utf8Decoder decoder;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        decoder.feed(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
    Check(decoder.finish() == (invalid < 0) && decoder.errorOffset() == invalid,
          "the decoder accepts exactly valid UTF-8, and stops at the first invalid byte");

    // huevane-html's reading, then its conversion, as the program runs them.
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const cli::InputText input = cli::ReadInput(device, QStringLiteral("input"));
    if (invalid >= 0) {
        Check(convert(options, input, batch, cli::InputError)
                  == "huevane-html: input: not valid UTF-8 at byte offset "
                      + QByteArray::number(invalid) + '\n',
              "invalid UTF-8 writes only the offset of its first invalid byte");
        return 0;
    }

    // The text, decoded by Qt, its line breaks left as they are.
    const QString expected =
        *qtDecoded(QByteArrayView(bytes).sliced(bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0));
    Check(decoder.takeText() == expected && input.text == expected,
          "huevane-html reads the text as it is");

    const PreparedText text(expected);
    const QList<CharColour> colours = *ComputeCharColours(text, cli::GradientFor(options, text));
    // Every format, with and without merged runs, escaped where it escapes on
    // request, and with every style it can write; then templates of one's own. The
    // window's copy of the same gradient is what huevane-html writes.
    const auto check = [&] {
        const OutputOptions &output = options.output;
        const QByteArray written = convert(options, input, batch);
        CheckOutputGivesBackText(expected, colours, output, QString::fromUtf8(written));
        Check(FormattedText(text, colours, output).toUtf8() == written,
              "the window's copy is what huevane-html writes");
    };
    options.output.background = flags * 0x010101u ^ quint32(piece) << 8;
    // Each input tries escapes and styles on some formats and not on others, by
    // the batch size, so that runs over many inputs meet every pairing.
    for (int format = 0; format < FormatCount; ++format) {
        for (const bool merge : {false, true}) {
            const int variant = int(batch) + format;
            options.output.format = OutputFormat(format);
            options.output.merge = merge;
            options.output.escape = variant & 1 && RowOf(options.output.format).escapeOnRequest;
            options.output.styles = variant & 2 ? 0xFF : 0;
            while (const auto refused = FindRefusedStyle(options.output))
                options.output.styles &= ~StyleBit(refused->style);
            check();
        }
    }
    options.output.styles = 0;
    options.output.escape = false;
    const QString templates[] = {u"<{hex}|{c}|{HEX}{{{r},{g},{b}}}>"_qs, u"{c}"_qs, u"[{r}]"_qs,
                                 u"}}{c}{{"_qs};
    for (int t = int(batch) % 2; t < 12; t += 2) {
        OwnTemplate own {templates[t % 4], t % 3 ? u"\n"_qs : u"<br>\r\n"_qs, u"head"_qs,
                         u"tail"_qs, TemplateEscape(t / 4)};
        options.output.ownTemplate = own;
        options.output.merge = t & 1;
        check();
    }
    return 0;
}
