#include "cli/spanish_cli.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <sstream>

namespace mundor::cli {

namespace {

// The help's lines fit a terminal this wide.
constexpr std::size_t kHelpWidth = 100;

// Characters, not bytes: "CATÁLOGO" is eight wide.
std::size_t Width(const std::string& utf8) {
    std::size_t width = 0;
    for (const char c : utf8) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return width;
}

// The description's words in lines of at most `width` characters, each after the first
// indented by `indent` blanks.
std::string Wrapped(const std::string& text, std::size_t indent, std::size_t width) {
    std::istringstream words(text);
    std::string wrapped;
    std::size_t line = 0;
    for (std::string word; words >> word;) {
        if (line > 0 && line + 1 + Width(word) > width) {
            wrapped += '\n' + std::string(indent, ' ');
            line = 0;
        } else if (line > 0) {
            wrapped += ' ';
            ++line;
        }
        wrapped += word;
        line += Width(word);
    }
    return wrapped;
}

// Each line of `text` wrapped, keeping its leading blanks.
std::string Paragraphs(const std::string& text) {
    if (text.empty()) return {};
    std::istringstream lines(text);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
        out += std::string(indent, ' ') + Wrapped(line, indent, kHelpWidth - indent) + '\n';
    }
    return out;
}

// CLI11's formatter with its columns counted in characters and its texts wrapped.
class SpanishFormatter final : public CLI::Formatter {
  public:
    std::string make_description(const CLI::App* app) const override {
        return Paragraphs(app->get_description());
    }
    std::string make_footer(const CLI::App* app) const override {
        return Paragraphs(app->get_footer());
    }
    std::string make_option(const CLI::Option* option, bool positional) const override {
        const std::string name =
            "  " + make_option_name(option, positional) + make_option_opts(option);
        const std::size_t column = get_column_width();
        std::string line = name;
        if (Width(name) < column) {
            line += std::string(column - Width(name), ' ');
        } else {
            line += '\n' + std::string(column, ' ');
        }
        return line + Wrapped(make_option_desc(option), column, kHelpWidth - column) + '\n';
    }
};

// CLI11's help labels and the Spanish each one shows as.
void SetSpanishLabels(CLI::Formatter& formatter) {
    formatter.label("Usage", "Uso");
    formatter.label("OPTIONS", "OPCIONES");
    formatter.label("Positionals", "Argumentos");
    formatter.label("REQUIRED", "(obligatorio)");
    formatter.label("Env", "Variable de entorno");
    formatter.label("Needs", "Necesita");
    formatter.label("Excludes", "Excluye");
    formatter.label("SUBCOMMAND", "ORDEN");
    formatter.label("SUBCOMMANDS", "ÓRDENES");
    formatter.label("TEXT", "TEXTO");
}

// The option CLI11 names at the start of its message ("--catalog: 1 required ..."), if any.
const CLI::Option* OptionNamedIn(const CLI::App& app, const std::string& message) {
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (!name.empty() && message.rfind(name, 0) == 0) return option;
    }
    return nullptr;
}

std::string ShownName(const CLI::Option& option) {
    if (option.nonpositional()) return option.get_name();
    return "el argumento " + option.get_name(true);
}

std::string ExtrasText(const CLI::App& app) {
    const std::vector<std::string> extras = app.remaining();
    if (extras.empty()) return "sobran argumentos";
    const std::string& first = extras.front();
    if (first.size() > 1 && first.front() == '-') return "opción desconocida: " + first;
    return "sobra el argumento " + first;
}

std::string MissingText(const CLI::App& app) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_required() && option->count() == 0) return "falta " + ShownName(*option);
    }
    return "falta un argumento obligatorio";
}

// An option given the wrong number of values: twice, a flag with a value, or none at all.
std::string MismatchText(const CLI::Option& option) {
    const std::string name = option.get_name();
    if (option.get_items_expected_max() == 0) return name + " no admite valor";
    if (option.count() > static_cast<std::size_t>(option.get_items_expected_max())) {
        return name + " se dio más de una vez";
    }
    return "a " + name + " le falta su valor";
}

}  // namespace

void SpeakSpanish(CLI::App& app) {
    auto formatter = std::make_shared<SpanishFormatter>();
    SetSpanishLabels(*formatter);
    app.formatter(formatter);
    app.option_defaults()->group("Opciones");
    app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
    app.set_version_flag("-V,--version", app.get_name() + " (Mundor) " MUNDOR_VERSION,
                         "Muestra la versión y termina");
}

std::string SpanishError(const CLI::App& app, const CLI::ParseError& error) {
    const std::string message = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error)) return ExtrasText(app);
    if (dynamic_cast<const CLI::RequiredError*>(&error)) return MissingText(app);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        if (const CLI::Option* option = OptionNamedIn(app, message)) return MismatchText(*option);
    }
    return "la línea de órdenes no es válida (" + message + ")";
}

std::optional<int> Parse(CLI::App& app, const std::vector<std::string>& arguments,
                         int badCommandLine) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << app.get_name() << ": " << SpanishError(app, error) << "\nVea "
                  << app.get_name() << " --help.\n";
        return badCommandLine;
    }
    return std::nullopt;
}

}  // namespace mundor::cli
