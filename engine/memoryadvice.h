#pragma once

#include <QtGlobal>

namespace huevane {

/// Asks the system to back a large buffer that is about to be written with huge
/// pages. The first write to every small page is a page fault, and faults cost
/// more than the writing itself on some machines; huge pages take one fault in
/// 512. Does nothing for buffers under a few megabytes, or where the system has
/// no such advice.
void AdviseLargeBuffer(void *data, qsizetype bytes);

} // namespace huevane
