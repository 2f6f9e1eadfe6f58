// Catches what the code logs while a test runs: installs a sink for the test's length and puts
// the default back after it.
#pragma once

#include <string>
#include <vector>

#include "runtime/log.h"

namespace mundor::testing {

struct LoggedEntry {
    std::string area;
    std::string text;
};

class LogCapture {
  public:
    LogCapture() {
        rt::SetLogSink([this](const rt::LogEntry& entry) {
            entries.push_back({std::string(entry.area), std::string(entry.text)});
        });
    }
    ~LogCapture() { rt::SetLogSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The texts logged under one area, in order.
    std::vector<std::string> TextsOf(const std::string& area) const {
        std::vector<std::string> texts;
        for (const LoggedEntry& entry : entries) {
            if (entry.area == area) texts.push_back(entry.text);
        }
        return texts;
    }

    std::vector<LoggedEntry> entries;
};

}  // namespace mundor::testing
