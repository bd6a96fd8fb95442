#include "desktopshell.h"

namespace huevane {

DesktopShell::~DesktopShell() = default;

} // namespace huevane
