// Catches what the code logs while a test runs: installs a sink for the test's length and puts
// the default back after it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "runtime/log.h"

namespace mundor::testing {

class LogCapture {
  public:
    LogCapture() {
        rt::SetLogSink([this](const rt::LogEntry& entry) {
            entries_.emplace_back(std::string(entry.area), std::string(entry.text));
        });
    }
    ~LogCapture() { rt::SetLogSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The texts logged under one area, in order.
    std::vector<std::string> TextsOf(const std::string& area) const {
        std::vector<std::string> texts;
        for (const auto& [logged, text] : entries_) {
            if (logged == area) texts.push_back(text);
        }
        return texts;
    }

  private:
    std::vector<std::pair<std::string, std::string>> entries_;  // area, text
};

}  // namespace mundor::testing
