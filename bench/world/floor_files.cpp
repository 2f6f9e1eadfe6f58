#include "floor_files.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <string>
#include <vector>

#include "nubex/import/world_guid.h"
#include "nubex/sqlite/connection_settings.h"

extern char** environ;

namespace world_bench {
namespace {

using nubex::import::RowKind;
using nubex::import::WorldRow;

// The table rows in file order: keys count up from 1 per table, as in a new catalog.
class FloorWriter {
  public:
    FloorWriter(const std::string& guidNamespace, const FloorFiles& files)
        : guid_(guidNamespace), pais_(files.pais), edoProv_(files.edoProv), ciudad_(files.ciudad) {}

    void Write(const WorldRow& row) {
        const std::string guid = guid_.For(row.kind, row.id);
        switch (row.kind) {
            case RowKind::kPais:
                pais_ << ++paisPk_ << '\t' << guid << '\t' << row.codigo << '\t' << row.nombre
                      << '\t' << row.codigoTel << "\t1\n";
                return;
            case RowKind::kEdoProv:
                edoProv_ << ++edoProvPk_ << '\t' << guid << '\t' << paisPk_ << '\t' << row.codigo
                         << '\t' << row.nombre << "\t1\n";
                return;
            case RowKind::kCiudad:
                ciudad_ << ++ciudadPk_ << '\t' << guid << '\t' << edoProvPk_ << '\t' << row.codigo
                        << '\t' << row.nombre << "\t\t1\n";
                return;
        }
    }

  private:
    nubex::import::WorldGuid guid_;
    std::ofstream pais_;
    std::ofstream edoProv_;
    std::ofstream ciudad_;
    long paisPk_ = 0;
    long edoProvPk_ = 0;
    long ciudadPk_ = 0;
};

// Runs a program with its arguments, without a shell; true when it ends with status 0.
bool Run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

FloorFiles WriteFloorFiles(const nubex::import::WorldData& world,
                           const std::filesystem::path& folder) {
    const FloorFiles files{folder / "Pais.tsv", folder / "EdoProv.tsv", folder / "Ciudad.tsv"};
    FloorWriter writer(world.guidNamespace, files);
    for (const WorldRow& row : world.rows) writer.Write(row);
    return files;
}

bool ShellImport(const FloorFiles& files, const std::filesystem::path& catalog) {
    // In one transaction, with the search indexes built once at the end as the import builds
    // them: the triggers that follow every row would make the floor the slower side.
    // With the library's collation (the cities' view-order index needs it) and the importer's
    // engine settings.
    std::vector<std::string> arguments{SQLITE3_SHELL,
                                       "-bail",
                                       catalog.string(),
                                       std::string(".load ") + NUBEX_ES_MODULE,
                                       nubex::sqlite::kConnectionSettingsSql,
                                       "BEGIN"};
    for (const char* table : {"Pais", "EdoProv", "Ciudad"}) {
        for (const char* trigger : {"Alta", "Baja", "Cambio"}) {
            arguments.push_back(std::string("DROP TRIGGER ") + table + "_Busqueda_" + trigger);
        }
    }
    // ASCII mode with TAB and LF separators: fields are taken as they are, with no quoting.
    for (const std::string& command :
         {std::string(".mode ascii"), std::string(".separator \"\\t\" \"\\n\""),
          ".import '" + files.pais.string() + "' Pais",
          ".import '" + files.edoProv.string() + "' EdoProv",
          ".import '" + files.ciudad.string() + "' Ciudad"}) {
        arguments.push_back(command);
    }
    for (const char* index : {"Pais_Busqueda", "EdoProv_Busqueda", "Ciudad_Busqueda"}) {
        arguments.push_back(std::string("INSERT INTO ") + index + " (" + index +
                            ") VALUES ('rebuild')");
    }
    arguments.push_back("COMMIT");
    return Run(arguments);
}

bool PsqlCopy(const FloorFiles& files, const std::string& conninfo) {
    // COPY's text format reads the same files: TAB between fields, no quoting.
    return Run({PSQL_PROGRAM, "-X", "-q", "-v", "ON_ERROR_STOP=1", "--single-transaction", "-d",
                conninfo, "-c", "\\copy Pais FROM '" + files.pais.string() + "'", "-c",
                "\\copy EdoProv FROM '" + files.edoProv.string() + "'", "-c",
                "\\copy Ciudad FROM '" + files.ciudad.string() + "'"});
}

}  // namespace world_bench
