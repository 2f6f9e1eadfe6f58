// Run-time errors: texts, HRESULT translation, Guard and the thread's error record; and the log of
// dropped errors: a host's sink that throws stays inside the log; without a sink (or once it is
// removed), entries go to standard error only when MUNDOR_LOG asks for them. (That an installed
// sink receives entries with their area, DispatchTest's write-back case shows. Numbers reach
// HRESULTs and back in every failed call: DispatchTest's EXCEPINFO codes and its object error,
// RawClientTest's launchers (32760), LevelTest's error boxes (E_FAIL keeping its own sign).)
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>

#include "error_from.h"
#include "log_capture.h"
#include "runtime/error.h"
#include "runtime/log.h"

namespace rt_test {
namespace {

namespace rt = mundor::rt;
using mundor::testing::LogCapture;

// What an error carries reaches callers through Invoke and CallByName (DispatchTest checks
// number, description and source there); here, the texts of its own.
TEST(RuntimeError, StandardNumbersHaveTheirSpanishTextAndWhatSaysTheNumber) {
    EXPECT_EQ(rt::RuntimeError(13, u"").description(), u"No coinciden los tipos");
    EXPECT_EQ(rt::RuntimeError(6, u"").description(), u"Desbordamiento");
    EXPECT_EQ(rt::RuntimeError(438, u"").description(),
              u"El objeto no admite esta propiedad o método");
    EXPECT_EQ(rt::StandardDescription(31999), u"Error definido por la aplicación o el objeto");
    EXPECT_STREQ(rt::RuntimeError(3001, u"Falta el país", u"Mundor.MundorFx").what(),
                 "(3001) Falta el país");
}

TEST(Guard, TurnsEveryExceptionIntoAnHResultAndRecordsIt) {
    EXPECT_EQ(rt::Guard([] {}), S_OK);
    EXPECT_EQ(rt::Guard([] { rt::Raise(3001, u"Sin datos", u"Prueba"); }),
              rt::HResultFromErrorNumber(3001));
    EXPECT_EQ(rt::LastError().number, 3001);
    EXPECT_EQ(rt::LastError().description, u"Sin datos");
    EXPECT_EQ(rt::LastError().source, u"Prueba");

    EXPECT_EQ(rt::Guard([] { throw std::bad_alloc(); }), rt::HResultFromErrorNumber(7));
    EXPECT_EQ(rt::LastError().description, u"Memoria insuficiente");
    EXPECT_EQ(rt::Guard([] { throw std::runtime_error("disco lleno"); }), E_FAIL);
    EXPECT_EQ(rt::LastError().description, u"disco lleno");
    EXPECT_EQ(rt::Guard([] { throw 42; }), E_FAIL);
}

TEST(ErrorFromHResult, UsesTheRecordOnlyWhenItMatches) {
    const HRESULT hr = rt::Guard([] { rt::Raise(3001, u"Sin datos"); });
    EXPECT_EQ(rt::ErrorFromHResult(hr).description(), u"Sin datos");
    const rt::RuntimeError other = rt::ErrorFromHResult(rt::HResultFromErrorNumber(13));
    EXPECT_EQ(other.number(), 13);
    EXPECT_EQ(other.description(), u"No coinciden los tipos");
    rt::ClearLastError();
    EXPECT_EQ(rt::ErrorFromHResult(hr).number(), 3001);
    EXPECT_EQ(rt::ErrorFromHResult(hr).description(),
              u"Error definido por la aplicación o el objeto");
    const rt::RuntimeError thrown = mundor::testing::ErrorFrom(
        [] { rt::ThrowIfFailed(rt::Guard([] { rt::Raise(5, u"Argumento raro"); })); });
    EXPECT_EQ(thrown.number(), 5);
    EXPECT_EQ(thrown.description(), u"Argumento raro");
}

TEST(ErrorRecord, EachThreadSeesItsOwn) {
    (void)rt::Guard([] { rt::Raise(3001, u"Hilo principal"); });
    LONG seenByOther = -1;
    LONG recordedByOther = -1;
    std::thread other([&] {
        seenByOther = rt::LastError().number;
        (void)rt::Guard([] { rt::Raise(91); });
        recordedByOther = rt::LastError().number;
    });
    other.join();
    EXPECT_EQ(seenByOther, 0);
    EXPECT_EQ(recordedByOther, 91);
    EXPECT_EQ(rt::LastError().number, 3001);
    EXPECT_EQ(rt::LastError().description, u"Hilo principal");
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
