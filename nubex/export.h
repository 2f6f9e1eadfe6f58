// The library is built with hidden symbols; only what hosts call is marked for export.
#pragma once

#define NUBEX_API __attribute__((visibility("default")))
