// nubex-import: loads the world dataset (countries, states, cities) into a Nubex catalog, a SQLite
// file or a PostgreSQL database, creating the catalog when it does not exist. Importing again
// updates the rows still as imported and leaves the users' changes alone, unless told to
// overwrite them.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/spanish_cli.h"
#include "nubex/backend/location.h"
#include "nubex/import/import_error.h"
#include "nubex/import/progress_bar.h"
#include "nubex/import/shipped_dataset.h"
#include "nubex/import/world_loader.h"

namespace {

using nubex::import::ImportErrc;

// How the program ends; its help lists them and scripts test them.
constexpr int kExitDone = 0;
constexpr int kExitUnexpected = 1;
constexpr int kExitDatasetProblem = 2;
constexpr int kExitCatalogProblem = 3;
constexpr int kExitCommandLine = 4;
constexpr int kExitNotConfirmed = 5;

int ExitStatusFor(ImportErrc code) {
    switch (code) {
        case ImportErrc::kDatasetUnreadable:
        case ImportErrc::kDatasetCorrupt:
        case ImportErrc::kDatasetVersion:
            return kExitDatasetProblem;
        default:
            return kExitCatalogProblem;
    }
}

void PrintSummary(const std::string& catalog, const nubex::import::ImportSummary& summary,
                  double seconds) {
    const auto n = [](std::int64_t value) { return static_cast<long long>(value); };
    std::printf(
        "Catálogo %s: %lld países, %lld estados y %lld ciudades en el archivo "
        "(%lld nuevas, %lld actualizadas, %lld sin cambios, %lld cambiadas por los usuarios "
        "y respetadas, %lld borradas por los usuarios y no repuestas, %lld repuestas del "
        "archivo; %lld agregadas por los usuarios, intactas) en %.2f s.\n",
        catalog.c_str(), n(summary.counts.paises), n(summary.counts.estados),
        n(summary.counts.ciudades), n(summary.added), n(summary.updated), n(summary.unchanged),
        n(summary.keptUserChanges), n(summary.notRestored), n(summary.restored),
        n(summary.usersRows), seconds);
}

// --overwrite undoes users' work: on a terminal the user confirms it by typing "si"; elsewhere
// (a script, a pipe) only --yes confirms it.
bool OverwriteConfirmed(bool yes) {
    constexpr int kNumber = static_cast<int>(ImportErrc::kNotConfirmed);
    if (yes) return true;
    if (!isatty(STDIN_FILENO)) {
        std::fprintf(stderr,
                     "Error %d: --overwrite sin terminal necesita también --yes; no se importó "
                     "nada.\n",
                     kNumber);
        return false;
    }
    std::fprintf(stderr,
                 "Se repondrán los valores del archivo en los países, estados y ciudades que "
                 "los usuarios cambiaron, y volverán los que borraron. ¿Continuar? Escriba "
                 "\"si\": ");
    std::string answer;
    std::getline(std::cin, answer);
    if (answer == "si" || answer == "sí" || answer == "SI" || answer == "SÍ") return true;
    std::fprintf(stderr, "Error %d: no se confirmó --overwrite; el catálogo no cambió.\n", kNumber);
    return false;
}

int Run(const std::string& dataset, const std::string& catalog,
        const nubex::import::ImportOptions& options) {
    // The bar goes to stderr and only on a terminal; logs and pipes get the summary alone.
    std::optional<nubex::import::ProgressBar> bar;
    if (isatty(STDERR_FILENO)) bar.emplace(stderr);
    const auto progress = [&bar](const nubex::import::ImportProgress& state) {
        if (bar) bar->Update(state.done, state.total);
        return true;
    };
    const auto start = std::chrono::steady_clock::now();
    try {
        const auto summary =
            nubex::import::LoadWorldIntoCatalog(dataset, catalog, progress, options);
        if (bar) bar->Finish();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        PrintSummary(nubex::db::Describe(catalog), summary, took.count());
        return kExitDone;
    } catch (const nubex::import::ImportError& error) {
        if (bar) bar->Finish();
        std::fprintf(stderr, "Error %d: %s\n", error.number(), error.what());
        return ExitStatusFor(error.code());
    } catch (const std::exception& error) {
        if (bar) bar->Finish();
        std::fprintf(stderr, "No se pudo cargar el mundo en el catálogo %s: %s\n",
                     nubex::db::Describe(catalog).c_str(), error.what());
        return kExitUnexpected;
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Carga los países, estados y ciudades del archivo de datos del mundo en un catálogo "
        "Nubex: un archivo SQLite o una base de datos PostgreSQL. Crea el catálogo si no existe; "
        "si ya tiene los datos, los actualiza sin duplicarlos y respeta el trabajo de los "
        "usuarios: actualiza solo lo que sigue como se importó, deja como están los registros "
        "que los usuarios cambiaron, no repone los que borraron y nunca toca los que agregaron. "
        "Todo se escribe en una sola transacción: si algo falla, el catálogo queda como estaba.",
        "nubex-import"};
    mundor::cli::SpeakSpanish(app);
    std::string catalog;
    std::string dataset = nubex::import::ShippedWorldDataset().string();
    app.add_option("CATÁLOGO", catalog,
                   "El catálogo: la ruta de un archivo SQLite, o un servidor PostgreSQL dado como "
                   "URI (postgresql://usuario@servidor:puerto/base) o como pares clave=valor "
                   "(\"host=servidor dbname=base user=usuario\")")
        ->required()
        ->type_name("");
    app.add_option("-d,--dataset", dataset, "Archivo de datos del mundo (.tsv.gz)")
        ->capture_default_str()
        ->type_name("ARCHIVO");
    nubex::import::ImportOptions options;
    bool yes = false;
    app.add_flag("--overwrite", options.overwrite,
                 "Repone los valores del archivo también en los registros que los usuarios "
                 "cambiaron y vuelve a agregar los que borraron (los que agregaron no se tocan). "
                 "En una terminal pide confirmación");
    app.add_flag("-y,--yes", yes,
                 "Confirma --overwrite sin preguntar; sin terminal (un script, una tubería), "
                 "--overwrite solo se acepta con --yes");
    app.footer(
        "PostgreSQL: las tablas se crean en el esquema actual de la conexión (el primero de su "
        "search_path; otro esquema con options=-csearch_path=nombre). Valen las variables de "
        "entorno de libpq (PGHOST, PGPORT, PGUSER, PGDATABASE, PGPASSWORD...), el archivo "
        "~/.pgpass y los servicios (service=nombre en ~/.pg_service.conf); la contraseña no se "
        "muestra nunca. Ejemplo:\n"
        "  nubex-import postgresql://mundor@db.ejemplo.com/mundor\n"
        "Salida: 0 listo; 1 otro fallo; 2 el archivo de datos falta, está dañado o es de otra "
        "versión; 3 el catálogo no se pudo abrir o escribir; 4 línea de órdenes incorrecta; "
        "5 --overwrite no se confirmó.");
    if (const auto status = mundor::cli::Parse(app, {argv, argv + argc}, kExitCommandLine)) {
        return *status;
    }
    if (options.overwrite && !OverwriteConfirmed(yes)) return kExitNotConfirmed;
    return Run(dataset, catalog, options);
}
