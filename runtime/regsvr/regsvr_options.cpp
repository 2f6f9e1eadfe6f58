#include "runtime/regsvr/regsvr_options.h"

#include "runtime/registry.h"

namespace mundor::regsvr {

namespace {

CommandLine Only(Request request, std::string mistake = {}) {
    return {request, {}, std::move(mistake)};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help") return Only(Request::kHelp);
        if (argument == "-V" || argument == "--version") return Only(Request::kVersion);
        if (argument == "-u" || argument == "--unregister") {
            command.options.unregister = true;
        } else if (argument == "-s" || argument == "--system") {
            command.options.system = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            return Only(Request::kMistake, "opción desconocida: " + argument);
        } else if (!command.options.library.empty()) {
            return Only(Request::kMistake, "sobra el argumento " + argument +
                                               " (se registra una biblioteca a la vez)");
        } else {
            command.options.library = argument;
        }
    }
    if (command.options.library.empty())
        return Only(Request::kMistake, "falta la BIBLIOTECA que se registra");
    return command;
}

std::string HelpText() {
    return "Uso: mundor-regsvr [-u] [--system] BIBLIOTECA\n"
           "\n"
           "Registra las clases de un componente como lo hace un instalador: carga BIBLIOTECA y\n"
           "llama a su DllRegisterServer, que las escribe en el registro de clases (con -u, a su\n"
           "DllUnregisterServer, que las quita). Después dice qué clases quedaron o se quitaron.\n"
           "\n"
           "Opciones:\n"
           "  -u, --unregister  quita del registro las clases de la biblioteca\n"
           "  -s, --system      usa el registro del sistema, que ven todos los usuarios (hace\n"
           "                    falta poder escribirlo, normalmente como root)\n"
           "  -h, --help        muestra esta ayuda y termina\n"
           "  -V, --version     muestra la versión y termina\n"
           "\n"
           "Registro del usuario: " +
           rt::RegistryPath() +
           "\n"
           "Registro del sistema: " +
           rt::SystemRegistryPath() +
           "\n"
           "Una clase del registro del usuario tiene preferencia sobre la misma clase del "
           "registro\n"
           "del sistema. MUNDOR_REGISTRY y MUNDOR_SYSTEM_REGISTRY cambian esos archivos.\n"
           "\n"
           "Salida: 0 listo; 1 la biblioteca no se encontró, no se pudo cargar, no es un "
           "componente\n"
           "o su registro falló; 2 línea de órdenes incorrecta.\n";
}

}  // namespace mundor::regsvr
