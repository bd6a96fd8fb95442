#include "htmlstream.h"

#include "utf8encoder.h"

#include "engine/charcolours.h"
#include "engine/colourgroups.h"

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
        , m_utf8(3 * Capacity)
    { }

    // Room for at least @p units more code units, flushing first if needed.
    char16_t *reserve(qsizetype units)
    {
        if (m_used + units > static_cast<qsizetype>(m_buffer.size())) {
            flush();
            if (units > static_cast<qsizetype>(m_buffer.size())) {
                m_buffer.resize(static_cast<size_t>(units));
                m_utf8.resize(3 * m_buffer.size());
            }
        }
        return m_buffer.data() + m_used;
    }

    void commit(char16_t *end) { m_used = end - m_buffer.data(); }

    bool flush()
    {
        if (m_used > 0 && m_ok) {
            const char16_t *units = m_buffer.data();
            const size_t size = EncodeUtf8(m_utf8.data(), units, units + m_used) - m_utf8.data();
            m_ok = std::fwrite(m_utf8.data(), 1, size, m_out) == size;
        }
        m_used = 0;
        return m_ok;
    }

private:
    static constexpr qsizetype Capacity = 1 << 16;
    std::FILE *m_out;
    std::vector<char16_t> m_buffer;
    std::vector<char> m_utf8; // m_buffer's units as UTF-8, three bytes a unit at most
    qsizetype m_used = 0;
    bool m_ok = true;
};

} // namespace

bool WriteColouredText(const PreparedText &text, const Gradient &gradient,
                       const OutputOptions &options, std::FILE *out, qsizetype batch, qint32 k)
{
    if (IsBlankText(text.text()))
        return true;

    ChunkedOutput output(out);
    ColouredTextWriter writer(options);
    const auto write = [&](const CharColour *first, const CharColour *last) {
        qsizetype units = 0;
        for (const CharColour *c = first; c != last; ++c)
            units += c->length;
        char16_t *at = output.reserve(writer.maxSize(last - first, units));
        output.commit(writer.write(at, text.text(), first, last));
    };
    ColourGrouper grouper(text, k);
    const bool coloured = ForEachColourBatch(
        text, gradient, batch,
        [&](const CharColour *first, const CharColour *last) {
            if (k > 1)
                grouper.take(first, last, write);
            else
                write(first, last);
        },
        [&] {
            grouper.endLine();
            output.commit(writer.endLine(output.reserve(writer.maxLineEndSize())));
        });
    if (!coloured)
        return true;
    output.commit(writer.finish(output.reserve(writer.maxFinishSize())));
    return output.flush() && std::fflush(out) == 0;
}

} // namespace huevane::cli
