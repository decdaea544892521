#pragma once

// Whether the process may write below HKEY_LOCAL_MACHINE; asked once, kept.
bool IsAdminProcess();
