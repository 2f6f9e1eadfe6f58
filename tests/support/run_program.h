// Runs a command line through the shell, as a person or an installer would, and gives back its
// exit status and what it wrote on standard output.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace mundor::test {

struct ProgramRun {
    int status = -1;  // the exit code; -1 when it did not exit normally
    std::string output;
};

inline ProgramRun RunProgram(const std::string& command) {
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe)) run.output += buffer.data();
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace mundor::test
