// The log of dropped errors: a host's sink receives every entry; without one (or once it is
// removed), entries go to standard error only when MUNDOR_LOG asks for them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "log_capture.h"
#include "runtime/error.h"
#include "runtime/log.h"

namespace rt_test {
namespace {

namespace rt = mundor::rt;
using mundor::testing::LogCapture;

TEST(LogTest, AnInstalledSinkReceivesEveryEntryWithItsArea) {
    LogCapture log;
    rt::Log("ui", "uno");
    rt::LogDroppedError("facade", u"al mostrar el cuadro de error", 5,
                        u"Llamada a procedimiento o argumento no válidos");

    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].area, "ui");
    EXPECT_EQ(log.entries[0].text, "uno");
    EXPECT_EQ(log.entries[1].area, "facade");
    EXPECT_EQ(log.entries[1].text,
              "se descartó el error 5 al mostrar el cuadro de error: Llamada a procedimiento o "
              "argumento no válidos");
}

TEST(LogTest, ASinkThatThrowsDoesNotReachTheCodeThatLogs) {
    rt::SetLogSink([](const rt::LogEntry&) { throw std::runtime_error("el registro falló"); });
    EXPECT_NO_THROW(rt::Log("ui", "uno"));
    rt::SetLogSink({});
}

TEST(LogTest, WithoutASinkEntriesGoToStandardErrorOnlyWhenMundorLogIsSet) {
    { const LogCapture earlier; }  // a sink installed and removed again leaves the default
    const struct {
        const char* mundorLog;
        std::string expected;
    } cases[] = {
        {nullptr, ""},
        {"", ""},
        {"1", "mundor [ui]: se descartó el error 91 al descargar: Objeto no establecido\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mundorLog ? c.mundorLog : "(unset)");
        if (c.mundorLog) setenv("MUNDOR_LOG", c.mundorLog, 1);
        if (!c.mundorLog) unsetenv("MUNDOR_LOG");
        ::testing::internal::CaptureStderr();
        rt::LogDroppedError("ui", u"al descargar", 91, u"Objeto no establecido");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.expected);
    }
    unsetenv("MUNDOR_LOG");
}

}  // namespace
}  // namespace rt_test
