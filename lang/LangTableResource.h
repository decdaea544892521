// Resource id of the compressed language table (RCDATA); shared by the .rc file and the loader.
#pragma once

#define IDR_LANGTABLE 300
