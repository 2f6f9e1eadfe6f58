// The command line of every Mundor program in Spanish: CLI11's help with Spanish headings, its
// parse errors told in Spanish, and --help and --version answered the same way everywhere.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

namespace mundor::cli {

// Gives `app` Spanish help headings, a Spanish help flag (-h, --help) and a version flag (-V,
// --version). Call it before adding options: they take its default group, "Opciones".
void SpeakSpanish(CLI::App& app);

// What is wrong with the command line, in Spanish: "opción desconocida: --x", "falta el
// argumento CATÁLOGO", "a --catalog le falta su valor". A mistake without its own sentence is
// told as "la línea de órdenes no es válida" followed by CLI11's own message.
std::string SpanishError(const CLI::App& app, const CLI::ParseError& error);

// Parses `arguments` (argv's words, the program's name first). After --help or --version, whose
// text goes to stdout, the program ends with 0; after a mistake, told on stderr with a pointer
// to --help, with `badCommandLine`. Returns that status, or none when the program goes on.
std::optional<int> Parse(CLI::App& app, const std::vector<std::string>& arguments,
                         int badCommandLine);

}  // namespace mundor::cli
