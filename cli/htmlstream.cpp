#include "htmlstream.h"

#include "engine/charcolours.h"
#include "engine/htmlwriter.h"

#include <vector>

namespace huevane::cli {

namespace {

// Collects HTML in a fixed UTF-16 buffer and writes it out as UTF-8 when full.
class ChunkedOutput
{
public:
    explicit ChunkedOutput(std::FILE *out)
        : m_out(out)
        , m_buffer(Capacity)
    { }

    // Room for at least @p units more code units, flushing first if needed.
    char16_t *reserve(qsizetype units)
    {
        if (m_used + units > static_cast<qsizetype>(m_buffer.size())) {
            flush();
            if (units > static_cast<qsizetype>(m_buffer.size()))
                m_buffer.resize(static_cast<size_t>(units));
        }
        return m_buffer.data() + m_used;
    }

    void commit(char16_t *end) { m_used = end - m_buffer.data(); }

    bool flush()
    {
        if (m_used > 0 && m_ok) {
            const QByteArray utf8 = QStringView(m_buffer.data(), m_used).toUtf8();
            m_ok = std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), m_out)
                == static_cast<size_t>(utf8.size());
        }
        m_used = 0;
        return m_ok;
    }

private:
    static constexpr qsizetype Capacity = 1 << 16;
    std::FILE *m_out;
    std::vector<char16_t> m_buffer;
    qsizetype m_used = 0;
    bool m_ok = true;
};

} // namespace

bool WriteHtml(const GradientSettings &settings, std::FILE *out)
{
    if (IsBlankText(settings.text))
        return true;

    const HtmlOptions options {settings.upperCaseTags, settings.noQuotes};
    ChunkedOutput output(out);
    ColourStepper stepper(settings);
    QList<CharColour> line;
    for (qsizetype i = 0; i < settings.lines.size(); ++i) {
        line.clear();
        stepper.colourLine(i, line);
        // A long line goes out in pieces, so the buffer stays small.
        constexpr qsizetype piece = 4096;
        const CharColour *first = line.constData();
        const CharColour *const last = first + line.size();
        do {
            const CharColour *pieceEnd = last - first > piece ? first + piece : last;
            const bool lineDone = pieceEnd == last;
            qsizetype units = 0;
            for (const CharColour *c = first; c != pieceEnd; ++c)
                units += c->length;
            char16_t *at = output.reserve(HtmlLineSize(options, pieceEnd - first, units));
            char16_t *written = WriteHtmlLine(at, options, settings.text, first, pieceEnd);
            // Only the piece that ends the line keeps its line end.
            output.commit(lineDone ? written : written - HtmlLineSize(options, 0, 0));
            first = pieceEnd;
        } while (first != last);
    }
    return output.flush() && std::fflush(out) == 0;
}

} // namespace huevane::cli
