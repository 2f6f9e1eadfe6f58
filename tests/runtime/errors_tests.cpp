// Run-time errors: numbers, texts, HRESULT translation, Guard and the thread's error record.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <thread>

#include "error_from.h"
#include "runtime/error.h"

namespace rt_test {
namespace {

namespace rt = mundor::rt;

TEST(RuntimeError, CarriesNumberDescriptionAndSource) {
    const rt::RuntimeError e(3001, u"Falta el país", u"Mundor.MundorFx");
    EXPECT_EQ(e.number(), 3001);
    EXPECT_EQ(e.description(), u"Falta el país");
    EXPECT_EQ(e.source(), u"Mundor.MundorFx");
    EXPECT_EQ(static_cast<std::uint32_t>(e.hresult()), 0x800A0BB9u);
    EXPECT_STREQ(e.what(), "(3001) Falta el país");
}

TEST(RuntimeError, StandardNumbersHaveTheirSpanishText) {
    EXPECT_EQ(rt::RuntimeError(91, u"").description(),
              u"Variable de objeto o bloque With no establecida");
    EXPECT_EQ(rt::RuntimeError(13, u"").description(), u"No coinciden los tipos");
    EXPECT_EQ(rt::RuntimeError(6, u"").description(), u"Desbordamiento");
    EXPECT_EQ(rt::RuntimeError(438, u"").description(),
              u"El objeto no admite esta propiedad o método");
    EXPECT_EQ(rt::StandardDescription(31999), u"Error definido por la aplicación o el objeto");
}

TEST(ErrorNumbers, RoundTripThroughHResults) {
    for (LONG number : {5, 6, 13, 91, 429, 438, 3001, 65535}) {
        const HRESULT hr = rt::HResultFromErrorNumber(number);
        EXPECT_EQ(static_cast<std::uint32_t>(hr), 0x800A0000u | static_cast<std::uint32_t>(number));
        EXPECT_EQ(rt::ErrorNumberFromHResult(hr), number);
    }
    // Negative numbers are HRESULTs of their own (an object's error, E_FAIL, ...).
    for (LONG number : {static_cast<LONG>(E_FAIL), static_cast<LONG>(0x80040201u),
                        static_cast<LONG>(0x80041234u)}) {
        EXPECT_EQ(rt::HResultFromErrorNumber(number), number);
        EXPECT_EQ(rt::ErrorNumberFromHResult(number), number);
    }
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

}  // namespace
}  // namespace rt_test
