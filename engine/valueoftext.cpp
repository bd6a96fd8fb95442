#include "valueoftext.h"

#include <charconv>
#include <limits>
#include <string>

namespace huevane {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads blanks-skipped characters of a number one at a time.
class Reader
{
public:
    explicit Reader(QStringView text)
        : m_text(text)
    { }

    QChar peek()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : QChar();
    }

    void advance() { ++m_pos; }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// The decimal exponent of the leading digit of a mantissa written as "digits"
// with the point after intDigits characters, scaled by 10^exponent; used only to
// tell an overflow from an underflow.
long long leadingExponent(const std::string &digits, qsizetype intDigits, long long exponent)
{
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(intDigits) - static_cast<long long>(firstNonZero) - 1 + exponent;
}

} // namespace

double ValueOfText(QStringView text)
{
    Reader in(text);
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.advance();
    }

    std::string digits;
    qsizetype intDigits = 0;
    while (isDigit(in.peek())) {
        digits += static_cast<char>(in.peek().unicode());
        in.advance();
        ++intDigits;
    }
    if (in.peek() == u'.') {
        in.advance();
        while (isDigit(in.peek())) {
            digits += static_cast<char>(in.peek().unicode());
            in.advance();
        }
    }
    if (digits.empty())
        return 0.0;

    long long exponent = 0;
    if (in.peek() == u'e' || in.peek() == u'E') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.advance();
        }
        while (isDigit(in.peek())) {
            // Saturate: anything past a few thousand is out of a double's range anyway.
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (in.peek().unicode() - u'0');
            in.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    // from_chars is independent of the C locale, unlike strtod.
    std::string number = digits.substr(0, static_cast<size_t>(intDigits));
    number += '.';
    number += digits.substr(static_cast<size_t>(intDigits));
    number += 'e';
    number += std::to_string(exponent);

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = leadingExponent(digits, intDigits, exponent) > 0
            ? std::numeric_limits<double>::infinity()
            : 0.0;
    }
    return negative ? -value : value;
}

} // namespace huevane
