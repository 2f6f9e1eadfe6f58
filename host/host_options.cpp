#include "host/host_options.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "cli/spanish_cli.h"
#include "host/catalog_location.h"
#include "host/host_errors.h"
#include "host/option_value.h"

namespace mundor::host {

namespace {

// The options every Qt Widgets program takes (QGuiApplication's and QApplication's), written
// with one dash or two; those in the first list take the next argument as their value unless
// it is joined with "=".
constexpr std::array<std::string_view, 12> kQtOptionsWithValue{
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 8> kQtOptionsAlone{
    "reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger", "dialogs", "fontengine"};

// "-platform", "--style=fusion" → "platform", "style"; empty for anything that is no option.
std::string_view OptionName(std::string_view argument) {
    if (argument.size() < 2 || argument.front() != '-') return {};
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    return argument.substr(0, argument.find('='));
}

template <std::size_t N>
bool IsIn(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void Describe(CLI::App& app, HostOptions& options) {
    app.description(
        "Mundor: el catálogo geográfico de países, estados y ciudades. Busca cualquier lugar "
        "mientras escribe y lo agrega, modifica o elimina con los diálogos del componente "
        "Mundor.MundorFx; Herramientas → Consola de miembros ofrece cada miembro del componente "
        "a quien lo integra.");
    app.add_option("-c,--catalog", options.catalogPath,
                   "Catálogo que se abre en lugar del predeterminado: un archivo SQLite (si no "
                   "existe, se crea y se llena con el mundo) o un servidor PostgreSQL, como URI "
                   "(postgresql://usuario@servidor/base) o pares clave=valor; ese se llena con "
                   "nubex-import")
        ->type_name("CATÁLOGO")
        ->check(PlainOptionValue());
    app.add_option("-b,--search", options.searchText, "Empieza con esta búsqueda")
        ->type_name("TEXTO");
    app.add_option("--screenshot", options.screenshotPath,
                   "Guarda una captura PNG de la ventana principal en cuanto muestra el catálogo "
                   "contado (y la búsqueda de --search) y termina")
        ->type_name("RUTA")
        ->check(PlainOptionValue());
    app.add_flag("--exit-after-first-paint", options.exitAfterFirstPaint,
                 "Termina en cuanto la ventana principal se ha dibujado (para medir el "
                 "arranque); escribe \"first-paint\" en la salida estándar");
    app.add_flag("--by-name", options.byName,
                 "La consola de miembros empieza con las llamadas por nombre (CallByName) en vez "
                 "de por la interfaz");
    app.footer("Catálogo predeterminado: " + DefaultCatalogPath().string() +
               "\nTambién valen las opciones de Qt (-platform, -style, -display...).\nSalida: 0 "
               "normal; 1 el catálogo no se pudo abrir; 2 línea de órdenes incorrecta; 3 se "
               "canceló la primera carga del mundo; 4 no se pudo registrar o crear el "
               "componente; 5 no se pudo guardar la captura; 6 no hay pantalla donde mostrar la "
               "ventana.");
}

}  // namespace

std::vector<std::string> WithoutQtOptions(const std::vector<std::string>& arguments) {
    std::vector<std::string> ours;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = i == 0 ? std::string_view() : OptionName(arguments[i]);
        const bool joined = arguments[i].find('=') != std::string::npos;
        if (IsIn(kQtOptionsWithValue, name)) {
            if (!joined) ++i;  // its value
            continue;
        }
        if (IsIn(kQtOptionsAlone, name)) continue;
        ours.push_back(arguments[i]);
    }
    return ours;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    HostOptions options;
    CLI::App app{"", "mundor-host"};
    cli::SpeakSpanish(app);
    Describe(app, options);
    if (const auto status = cli::Parse(app, WithoutQtOptions(arguments), kExitCommandLine)) {
        return {std::nullopt, *status};
    }
    return {options, kExitOk};
}

}  // namespace mundor::host
