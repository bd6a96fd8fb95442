#pragma once

namespace huevane::cli {

/// Encodes the UTF-16 code units [@p in, @p end) as UTF-8 at @p out, which must
/// have room for three bytes a unit, and returns the end of what it wrote. A
/// surrogate pair becomes one four-byte character; a lone surrogate, U+FFFD.
/// Fast for what huevane-html writes: long stretches of ASCII, and ASCII mixed
/// with Latin-1 letters such as the § of chat codes.
char *EncodeUtf8(char *out, const char16_t *in, const char16_t *end);

} // namespace huevane::cli
