"""Runs a command in an X session of its own (Xvfb and openbox, as the desktop
tests start them) and exits with its status: for tests that need what only a
real X server offers, such as the primary selection.

Run as: in_xsession.py COMMAND [ARGUMENT...]
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop"))
from xsession import XSession  # noqa: E402

with XSession(tray=False) as session:
    sys.exit(subprocess.run(sys.argv[1:], env=session.env, timeout=240).returncode)
