// mundor-regsvr's command line: [-u] [--system] LIBRARY, or --help, or --version.
#pragma once

#include <string>
#include <vector>

namespace mundor::regsvr {

struct Options {
    std::string library;
    bool unregister = false;
    bool system = false;
};

enum class Request { kRun, kHelp, kVersion, kMistake };

struct CommandLine {
    Request request = Request::kRun;
    Options options;
    std::string mistake;  // what is wrong with a bad command line, in Spanish
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();

}  // namespace mundor::regsvr
