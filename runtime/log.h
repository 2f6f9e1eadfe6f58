// The log of errors the code swallows on purpose: an unload during a release, an error that
// escaped a window's own error handler, a by-reference argument that could not be written back.
// Nothing a user sees depends on it; it is there so that a developer or a host can find out what
// was dropped.
//
// Every entry goes to one sink per process. Until a host installs its own, the sink writes each
// entry as a line on standard error when the environment variable MUNDOR_LOG is set to anything
// but an empty text, and drops it otherwise.
//
//   mundor::rt::SetLogSink([](const mundor::rt::LogEntry& entry) {
//       myLogger.warn("{}: {}", entry.area, entry.text);
//   });
#pragma once

#include <functional>
#include <string_view>

#include "runtime/com_types.h"
#include "runtime/export.h"

namespace mundor::rt {

struct LogEntry {
    std::string_view area;  // the part of the system that wrote it: "ui", "runtime", "facade"
    std::string_view text;  // what happened, in Spanish (UTF-8)
};

// Called on the thread that logs, with no lock held; it must not throw, and what it throws
// is dropped.
using LogSink = std::function<void(const LogEntry& entry)>;

// Installs the process's sink; an empty one puts the default back.
MUNDOR_API void SetLogSink(LogSink sink);

// Hands an entry to the sink. Never throws.
MUNDOR_API void Log(std::string_view area, std::string_view text) noexcept;

// Logs an error that is being dropped: its number and description, and what was being done
// ("al descargar la ventana 'dlgPais'").
MUNDOR_API void LogDroppedError(std::string_view area, std::u16string_view doing, LONG number,
                                std::u16string_view description) noexcept;

}  // namespace mundor::rt
