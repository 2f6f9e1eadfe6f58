// One run of a program from its start to its first paint: spawned with --exit-after-first-paint
// and timed until it writes "first-paint"; its exit is awaited outside the time.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace mundor::bench {

struct ProgramToTime {
    std::string path;
    std::vector<std::string> arguments;    // besides --exit-after-first-paint
    std::vector<std::string> environment;  // NAME=value entries added to the bench's own
};

// The time to "first-paint". Throws std::runtime_error when the program cannot be started, ends
// without painting, or ends with a status other than 0.
std::chrono::duration<double> TimeToFirstPaint(const ProgramToTime& program);

}  // namespace mundor::bench
