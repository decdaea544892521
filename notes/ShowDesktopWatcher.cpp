#include "notes/ShowDesktopWatcher.h"

// Filled in with the watcher.
void InstallShowDesktopWatcher() {}
