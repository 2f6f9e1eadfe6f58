// mundor-regsvr: registers (or, with -u, unregisters) a component library's classes by calling
// its DllRegisterServer (DllUnregisterServer), and says what the registry creates from it now.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/regsvr/regsvr_options.h"
#include "runtime/regsvr/served_classes.h"
#include "runtime/self_registration.h"

namespace {

namespace fs = std::filesystem;
using namespace mundor;
using regsvr::ServedClass;

constexpr int kExitFailed = 1;
constexpr int kExitCommandLine = 2;

int Fail(LONG number, const std::u16string& description) {
    std::cerr << "mundor-regsvr: error " << number << ": " << rt::Utf16ToUtf8(description)
              << std::endl;
    return kExitFailed;
}

void PrintClasses(const char* heading, const std::vector<ServedClass>& classes) {
    std::cout << heading << (classes.empty() ? " ninguna.\n" : "\n");
    for (const ServedClass& c : classes) std::cout << "  " << c.progId << ' ' << c.clsid << '\n';
}

std::vector<ServedClass> Removed(const std::vector<ServedClass>& before,
                                 const std::vector<ServedClass>& after) {
    std::vector<ServedClass> removed;
    for (const ServedClass& c : before) {
        if (std::find(after.begin(), after.end(), c) == after.end()) removed.push_back(c);
    }
    return removed;
}

int Run(const regsvr::Options& options) {
    const fs::path library = fs::absolute(options.library).lexically_normal();
    std::error_code error;
    if (!fs::is_regular_file(library, error)) {
        return Fail(rt::err::kLibraryNotLoadable,
                    u"No se encontró la biblioteca " + rt::Utf8ToUtf16(library.string()) + u".");
    }
    // The library writes the one registry chosen here, not the user's and the system's at once.
    const std::string registry = options.system ? rt::SystemRegistryPath() : rt::RegistryPath();
    rt::SetRegistryPath(registry);
    const auto action =
        options.unregister ? rt::SelfRegistration::kUnregister : rt::SelfRegistration::kRegister;
    const auto before = regsvr::ClassesServedBy(rt::RegistryStore::Read(), library);
    try {
        rt::RunSelfRegistration(library.string(), action);
    } catch (const rt::RuntimeError& failure) {
        return Fail(failure.number(), failure.description());
    }
    const auto after = regsvr::ClassesServedBy(rt::RegistryStore::Read(), library);
    if (options.unregister) {
        std::cout << "Se quitó la biblioteca " << library.string() << " de " << registry
                  << " (DllUnregisterServer).\n";
        PrintClasses("Clases quitadas:", Removed(before, after));
    } else {
        std::cout << "Se registró la biblioteca " << library.string() << " en " << registry
                  << " (DllRegisterServer).\n";
        PrintClasses("Clases que crea:", after);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const regsvr::CommandLine command = regsvr::ParseCommandLine({argv + 1, argv + argc});
    switch (command.request) {
        case regsvr::Request::kHelp:
            std::cout << regsvr::HelpText();
            return 0;
        case regsvr::Request::kVersion:
            std::cout << "mundor-regsvr (Mundor) " MUNDOR_VERSION "\n";
            return 0;
        case regsvr::Request::kMistake:
            std::cerr << "mundor-regsvr: " << command.mistake << "\nVea mundor-regsvr --help.\n";
            return kExitCommandLine;
        case regsvr::Request::kRun:
            break;
    }
    return Run(command.options);
}
