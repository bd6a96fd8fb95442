#pragma once

#include <QStringView>

namespace huevane {

/// A run of UTF-16 code units inside a string: where it starts and how long it is.
struct TextSpan
{
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype end() const { return start + length; }
    QStringView in(QStringView text) const { return text.sliced(start, length); }
    friend bool operator==(const TextSpan &, const TextSpan &) = default;
};

} // namespace huevane
