#include "runtime/log.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "runtime/bstr.h"

namespace mundor::rt {

namespace {

constexpr char kSwitch[] = "MUNDOR_LOG";

bool StandardErrorWanted() {
    const char* value = std::getenv(kSwitch);
    return value && *value;
}

void WriteToStandardError(const LogEntry& entry) {
    if (!StandardErrorWanted()) return;
    std::fprintf(stderr, "mundor [%.*s]: %.*s\n", static_cast<int>(entry.area.size()),
                 entry.area.data(), static_cast<int>(entry.text.size()), entry.text.data());
}

// One sink for the whole process: the runtime is one shared library, so every component and
// toolkit logs through the same one.
struct Installed {
    std::mutex mutex;
    std::shared_ptr<const LogSink> sink;
};

Installed& TheInstalled() {
    // Never destroyed: a library may still log while the process runs its static destructors.
    static Installed* installed = new Installed;
    return *installed;
}

std::shared_ptr<const LogSink> CurrentSink() {
    Installed& installed = TheInstalled();
    const std::lock_guard lock(installed.mutex);
    return installed.sink;
}

}  // namespace

void SetLogSink(LogSink sink) {
    auto replacement = sink ? std::make_shared<const LogSink>(std::move(sink)) : nullptr;
    Installed& installed = TheInstalled();
    const std::lock_guard lock(installed.mutex);
    installed.sink = std::move(replacement);
}

void Log(std::string_view area, std::string_view text) noexcept {
    try {
        const LogEntry entry{area, text};
        if (const auto sink = CurrentSink()) {
            (*sink)(entry);
        } else {
            WriteToStandardError(entry);
        }
    } catch (...) {
        // A log that fails has nowhere to report it.
    }
}

void LogDroppedError(std::string_view area, std::u16string_view doing, LONG number,
                     std::u16string_view description) noexcept {
    try {
        const std::string text = "se descartó el error " + std::to_string(number) + " " +
                                 Utf16ToUtf8(doing) + ": " + Utf16ToUtf8(description);
        Log(area, text);
    } catch (...) {
        // Out of memory while describing it: the entry is lost with the error.
    }
}

}  // namespace mundor::rt
