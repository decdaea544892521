// Brings the notes back when the user shows the desktop with the Windows key.
#pragma once

// Installs the foreground-change hook once per process; later calls do nothing.
void InstallShowDesktopWatcher();
