// Fuzzes the programs' command lines: any bytes, cut into words at NUL as argv holds them, parsed
// by a program of every kind of option the programs use (a required argument, options with a
// value, a flag, --help, --version). Parsing must end in one of its three outcomes (go on, stop
// with 0 after help or version, stop with the bad-command-line status), and a mistake must be
// told in a Spanish sentence, never CLI11's own English alone.
#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/spanish_cli.h"
#include "fuzz_check.h"

namespace {

using mundor::fuzz::Fail;

constexpr int kBadCommandLine = 4;

std::vector<std::string> Words(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"programa", ""};
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0') {
            words.emplace_back();
        } else {
            words.back().push_back(static_cast<char>(data[i]));
        }
    }
    return words;
}

// What the parse said on stdout and stderr, kept from the fuzzer's own output.
class Captured {
  public:
    Captured() : out_(std::cout.rdbuf(outText_.rdbuf())), err_(std::cerr.rdbuf(errText_.rdbuf())) {}
    ~Captured() {
        std::cout.rdbuf(out_);
        std::cerr.rdbuf(err_);
    }
    std::string err() const { return errText_.str(); }

  private:
    std::ostringstream outText_;
    std::ostringstream errText_;
    std::streambuf* out_;
    std::streambuf* err_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLI::App app{"Programa de prueba.", "programa"};
    mundor::cli::SpeakSpanish(app);
    std::string catalog;
    std::string dataset;
    std::vector<std::string> names;
    bool flag = false;
    app.add_option("CATÁLOGO", catalog, "El catálogo")->required();
    app.add_option("-d,--dataset", dataset, "Archivo de datos");
    app.add_option("-n,--nombre", names, "Nombres")->expected(1, 2);
    app.add_flag("--por-nombre", flag, "Por nombre");

    std::optional<int> status;
    std::string err;
    {
        const Captured captured;
        status = mundor::cli::Parse(app, Words(data, size), kBadCommandLine);
        err = captured.err();
    }
    if (status && *status != 0 && *status != kBadCommandLine) {
        Fail("estado inesperado " + std::to_string(*status));
    }
    if (status == kBadCommandLine) {
        if (err.rfind("programa: ", 0) != 0) Fail("error sin el nombre del programa: " + err);
        if (err.find("Vea programa --help.") == std::string::npos) Fail("error sin --help: " + err);
    }
    if (!status && catalog.empty() && app.count("CATÁLOGO") == 0) {
        Fail("siguió sin el argumento obligatorio");
    }
    return 0;
}
