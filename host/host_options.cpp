#include "host/host_options.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "host/catalog_location.h"
#include "host/host_errors.h"
#include "host/option_value.h"

namespace mundor::host {

namespace {

void Describe(CLI::App& app, HostOptions& options) {
    app.description(
        "Anfitrión de Mundor: abre un catálogo geográfico (países, estados y ciudades), crea el "
        "componente Mundor.MundorFx por su ProgID y ofrece todos sus miembros en una ventana.");
    app.add_option("-c,--catalog", options.catalogPath,
                   "Catálogo que se abre en lugar del predeterminado: un archivo SQLite (si no "
                   "existe, se crea y se llena con el mundo) o un servidor PostgreSQL, como URI "
                   "(postgresql://usuario@servidor/base) o pares clave=valor; ese se llena con "
                   "nubex-import")
        ->type_name("CATÁLOGO")
        ->check(PlainOptionValue());
    app.add_option("--screenshot", options.screenshotPath,
                   "Guarda una captura PNG de la ventana principal tras su primer dibujo y "
                   "termina")
        ->type_name("RUTA")
        ->check(PlainOptionValue());
    app.add_flag("--exit-after-first-paint", options.exitAfterFirstPaint,
                 "Termina en cuanto la ventana principal se ha dibujado (para medir el "
                 "arranque); escribe \"first-paint\" en la salida estándar");
    app.add_flag("--by-name", options.byName,
                 "Empieza con las llamadas por nombre (CallByName) en vez de por la interfaz");
    app.footer("Catálogo predeterminado: " + DefaultCatalogPath().string() +
               "\nSalida: 0 normal; 1 el catálogo no se pudo abrir; 2 línea de órdenes "
               "incorrecta; 3 se canceló la primera carga del mundo; 4 no se pudo "
               "registrar o crear el componente; 5 no se pudo guardar la captura.");
    app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments, ForeignOptions foreign) {
    HostOptions options;
    CLI::App app{"", "mundor-host"};
    Describe(app, options);
    app.allow_extras(foreign == ForeignOptions::kPass);

    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return {std::nullopt, kExitOk};
    } catch (const CLI::ParseError& error) {
        std::cerr << "mundor-host: " << error.what() << "\nVea mundor-host --help.\n";
        return {std::nullopt, kExitCommandLine};
    }
    return {options, kExitOk};
}

}  // namespace mundor::host
