// mundor-regsvr as an installer or a person runs it: it registers and unregisters a component in
// the user's or the system's registry and says what it did; it refuses what it cannot do.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run_program.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using mundor::test::ProgramRun;
using mundor::test::ReadFile;

class RegsvrTest : public ::testing::Test {
  protected:
    // Runs the program with the user's data folder and the system registry inside the folder.
    ProgramRun Regsvr(const std::string& arguments) const {
        return mundor::test::RunProgram("env -u MUNDOR_REGISTRY XDG_DATA_HOME='" +
                                        dir_.path().string() + "' MUNDOR_SYSTEM_REGISTRY='" +
                                        SystemRegistry().string() + "' '" MUNDOR_REGSVR "' " +
                                        arguments + " 2>&1");
    }
    fs::path UserRegistry() const { return dir_ / "mundor" / "registry.ini"; }
    fs::path SystemRegistry() const { return dir_ / "sistema" / "registry.ini"; }

    mundor::test::TempFolder dir_;
};

constexpr const char* kClass = "Mundor.MundorFx {E00B7085-B889-41DD-B459-0FAC1480F3FB}";

TEST_F(RegsvrTest, RegistersAndUnregistersInTheChosenRegistryOnlyAndSaysWhichClasses) {
    const struct {
        std::string option;
        fs::path written, untouched;
    } cases[] = {{"", UserRegistry(), SystemRegistry()},
                 {"--system ", SystemRegistry(), UserRegistry()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written.string());
        const ProgramRun registered = Regsvr(c.option + "'" MUNDOR_LIBRARY "'");
        EXPECT_EQ(registered.status, 0) << registered.output;
        EXPECT_NE(registered.output.find("Se registró la biblioteca"), std::string::npos);
        EXPECT_NE(registered.output.find(" en " + c.written.string()), std::string::npos);
        EXPECT_NE(registered.output.find("Clases que crea:\n  " + std::string(kClass)),
                  std::string::npos)
            << registered.output;
        EXPECT_NE(ReadFile(c.written).find("[ProgID Mundor.MundorFx]"), std::string::npos);
        EXPECT_EQ(ReadFile(c.untouched).find("Mundor.MundorFx"), std::string::npos);

        const ProgramRun unregistered = Regsvr("-u " + c.option + "'" MUNDOR_LIBRARY "'");
        EXPECT_EQ(unregistered.status, 0) << unregistered.output;
        EXPECT_NE(unregistered.output.find("Clases quitadas:\n  " + std::string(kClass)),
                  std::string::npos)
            << unregistered.output;
        EXPECT_EQ(ReadFile(c.written).find("Mundor.MundorFx"), std::string::npos);
    }
}

TEST_F(RegsvrTest, AnswersHelpAndVersionAndRefusesWhatItCannotDo) {
    const struct {
        std::string arguments;
        int status;
        std::string says;
    } cases[] = {
        {"--help", 0, "Uso: mundor-regsvr [-u] [--system] BIBLIOTECA"},
        {"--version", 0, "mundor-regsvr (Mundor) 0.9.0.10"},
        {"", 2, "falta la BIBLIOTECA"},
        {"--todo '" MUNDOR_LIBRARY "'", 2, "opción desconocida: --todo"},
        {"/no/existe/libnada.so", 1,
         "error 48: No se encontró la biblioteca /no/existe/libnada.so"},
        {"'" MUNDOR_UI_LIBRARY "'", 1, "error 453: "},
    };
    for (const auto& c : cases) {
        const ProgramRun run = Regsvr(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << c.arguments << "\n" << run.output;
    }
    EXPECT_FALSE(fs::exists(UserRegistry()));
}

}  // namespace
