// Strings and tagged values as a COM client sees them: BSTR layout, UTF conversions, the VARIANT
// functions and the Variant wrapper's coercions and reference counting.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "error_from.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/registry.h"
#include "runtime/variant.h"
#include "test_thing.h"

namespace rt_test {
namespace {

using mundor::testing::ErrorFrom;

TEST(Bstr, PrefixHoldsTheByteCountAndTextIsKeptAndTerminated) {
    const char16_t withNuls[] = {u'a', 0, u'b', 0, u'c'};
    const struct {
        BSTR s;
        std::u16string text;
    } cases[] = {
        {SysAllocString(u"Año"), u"Año"},
        {SysAllocStringLen(withNuls, 5), std::u16string(withNuls, 5)},
        {SysAllocStringLen(nullptr, 3), std::u16string(3, u'\0')},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.s, nullptr);
        std::uint32_t prefix = 0;
        std::memcpy(&prefix, reinterpret_cast<const char*>(c.s) - 4, sizeof prefix);
        EXPECT_EQ(prefix, 2 * c.text.size());
        EXPECT_EQ(SysStringLen(c.s), c.text.size());
        EXPECT_EQ(SysStringByteLen(c.s), 2 * c.text.size());
        EXPECT_EQ(std::u16string(c.s, c.text.size() + 1), c.text + u'\0');
        SysFreeString(c.s);
    }
}

TEST(Bstr, NullIsTheEmptyString) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
    EXPECT_EQ(rt::BString().view(), u"");
    EXPECT_EQ(rt::BString(), rt::BString(u""));
}

TEST(Utf, RoundTripsAccentsAndCharactersBeyondTheBmp) {
    const std::string text = "Ñandú, São Paulo, €5, 😀";
    const std::u16string wide = rt::Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Ñandú, São Paulo, €5, 😀");
    EXPECT_EQ(wide.substr(wide.size() - 2), (std::u16string{0xD83D, 0xDE00}));
    EXPECT_EQ(rt::Utf16ToUtf8(wide), text);
    EXPECT_EQ(rt::BString::FromUtf8(text).utf8(), text);
}

TEST(Utf, MalformedTextInEitherEncodingBecomesReplacementWithoutLosingTheRest) {
    EXPECT_EQ(rt::Utf8ToUtf16(std::string("a\xFF") + "b"), u"a\uFFFDb");
    EXPECT_EQ(rt::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");    // overlong '/'
    EXPECT_EQ(rt::Utf8ToUtf16("\xED\xA0\x80x").back(), u'x');   // encoded surrogate
    EXPECT_EQ(rt::Utf8ToUtf16("\xE2\x82").front(), u'\uFFFD');  // truncated at the end
    EXPECT_EQ(rt::Utf8ToUtf16("\xE2\x82Z").back(), u'Z');
    // Lone surrogates.
    EXPECT_EQ(rt::Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}), "a\uFFFDb");
    EXPECT_EQ(rt::Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
    EXPECT_EQ(rt::Utf16ToUtf8(std::u16string{0xD800}), "\xEF\xBF\xBD");
}

TEST(VariantChangeType, CoercesAsAutomationDoes) {
    const auto r8 = [](double d) { return rt::Variant::Double(d); };
    const auto i2 = [](SHORT s) { return rt::Variant::Int16(s); };
    const rt::Variant none;
    // A value, the asked type, and what comes out.
    const struct {
        const char* label;
        rt::Variant from;
        VARTYPE to;
        HRESULT hr;
        rt::Variant expected;
    } coercions[] = {
        {"blanks around digits", rt::Variant(u" \t42 "), VT_I4, S_OK, rt::Variant(42)},
        {"negative text", rt::Variant(u"-7"), VT_I4, S_OK, rt::Variant(-7)},
        {"exponent", rt::Variant(u"1e3"), VT_I4, S_OK, rt::Variant(1000)},
        {"half to even down", r8(2.5), VT_I4, S_OK, rt::Variant(2)},
        {"half to even up", rt::Variant(u"3.5"), VT_I4, S_OK, rt::Variant(4)},
        {"negative half", r8(-2.5), VT_I2, S_OK, i2(-2)},
        {"True text", rt::Variant(u"true"), VT_I4, S_OK, rt::Variant(-1)},
        {"False text", rt::Variant(u"FALSE"), VT_BOOL, S_OK, rt::Variant(false)},
        {"nonzero is True", rt::Variant(7), VT_BOOL, S_OK, rt::Variant(true)},
        {"Boolean to Integer", rt::Variant(true), VT_I2, S_OK, i2(-1)},
        {"Empty to number", none, VT_I4, S_OK, rt::Variant(0)},
        {"Empty to text", none, VT_BSTR, S_OK, rt::Variant(u"")},
        {"Boolean to text", rt::Variant(true), VT_BSTR, S_OK, rt::Variant(u"True")},
        {"Long to text", rt::Variant(-2147483647 - 1), VT_BSTR, S_OK, rt::Variant(u"-2147483648")},
        {"Double to text", r8(1.5), VT_BSTR, S_OK, rt::Variant(u"1.5")},
        {"Long range top", r8(2147483647.4), VT_I4, S_OK, rt::Variant(2147483647)},
        {"Integer range bottom", r8(-32768.5), VT_I2, S_OK, i2(-32768)},
        {"Long overflow", r8(2147483647.5), VT_I4, DISP_E_OVERFLOW, none},
        {"Integer overflow", rt::Variant(u"40000"), VT_I2, DISP_E_OVERFLOW, none},
        {"text beyond Double", rt::Variant(u"1e400"), VT_R8, DISP_E_OVERFLOW, none},
        {"text below Double", rt::Variant(u"-1e-400"), VT_R8, S_OK, r8(0)},
        {"letters", rt::Variant(u"12abc"), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"empty text", rt::Variant(u"  "), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"nan is not a number", rt::Variant(u"nan"), VT_R8, DISP_E_TYPEMISMATCH, none},
        {"inf is not a number", rt::Variant(u"inf"), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"two signs", rt::Variant(u"+-5"), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"Null to number", rt::Variant::Null(), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"Null to text", rt::Variant::Null(), VT_BSTR, DISP_E_TYPEMISMATCH, none},
        {"missing to number", rt::Variant::Missing(), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"Nothing to number", rt::Variant::Nothing(), VT_I4, DISP_E_TYPEMISMATCH, none},
        {"Nothing to text", rt::Variant::Nothing(), VT_BSTR, DISP_E_TYPEMISMATCH, none},
        {"number to object", rt::Variant(5), VT_DISPATCH, DISP_E_TYPEMISMATCH, none},
        {"Empty to object", none, VT_DISPATCH, S_OK, rt::Variant::Nothing()},
    };
    for (const auto& c : coercions) {
        SCOPED_TRACE(c.label);
        VARIANT out{};
        out.vt = VT_I2;
        out.iVal = 123;
        EXPECT_EQ(VariantChangeType(&out, &c.from.raw(), 0, c.to), c.hr);
        if (SUCCEEDED(c.hr)) {
            EXPECT_EQ(rt::Variant::Attach(out), c.expected);
        } else {
            EXPECT_EQ(out.vt, VT_I2) << "a failed coercion must leave the destination alone";
            EXPECT_EQ(out.iVal, 123);
        }
    }
}

// Hosts switch the C locale to the user's (a Qt application does); a Spanish user's decimal
// separator is a comma, and numbers turned into text must still read back.
TEST(VariantText, NumbersIgnoreTheHostsLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"es_ES.UTF-8", "es_ES.utf8", "es_AR.UTF-8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    }
    if (!comma) GTEST_SKIP() << "no locale with a comma decimal separator is installed";
    const std::u16string text = rt::Variant::Double(1.5).AsString();
    const HRESULT back = rt::Variant(text).ChangeType(VT_R8);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(text, u"1.5") << comma;
    EXPECT_EQ(back, S_OK);
}

TEST(VariantFunctions, ByReferenceValuesAreReadThroughTheirPointer) {
    LONG number = 17;
    rt::BString text(std::u16string_view(u"uno\0dos", 7));
    BSTR raw = text.get();
    VARIANT inner = rt::Variant(u"dentro").Detach();
    VARIANT out{};

    VARIANT ref = ByRef(&number);
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    EXPECT_EQ(rt::Variant::Attach(out), rt::Variant(17));

    ref = ByRef(&raw);
    ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
    EXPECT_NE(out.bstrVal, raw) << "the copy must own its own string";
    EXPECT_EQ(rt::Variant::Attach(out), rt::Variant(text));

    ref = ByRef(&inner);
    ASSERT_EQ(VariantChangeType(&out, &ref, 0, VT_BSTR), S_OK);
    EXPECT_EQ(rt::Variant::Attach(out), rt::Variant(u"dentro"));
    VariantClear(&inner);
}

// By-reference values with nothing behind them, arrays and Variants that refer to themselves
// reach VariantCopyInd and VariantChangeType through Invoke, where
// DispatchTest.RefusedCallsRunNothingAndLeaveTheCallersVariablesAlone checks each refusal.
TEST(VariantFunctions, KindsTheRuntimeDoesNotHandleAreNeitherFreedNorCopied) {
    VARIANT out{};
    VARIANT array = Raw(0x2003, nullptr);  // VT_ARRAY | VT_I4
    EXPECT_EQ(VariantClear(&array), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantCopy(&out, &array), DISP_E_BADVARTYPE);
    EXPECT_EQ(out.vt, VT_EMPTY);
}

TEST(VariantReaders, RaiseTypeMismatchOrOverflow) {
    auto object = rt::MakeObject<TestThing>();
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant(u"abc").AsLong(); }).number(), 13);
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant(40000).AsInt16(); }).number(), 6);
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant::Double(1e10).AsLong(); }).number(), 6);
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant::Null().AsString(); }).number(), 13);
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant(u"quizá").AsBool(); }).number(), 13);
    EXPECT_EQ(ErrorFrom([] { (void)rt::Variant(5).AsDispatch(); }).number(), 13);
    EXPECT_EQ(ErrorFrom([&] { (void)rt::Variant(object).AsLong(); }).number(), 13);
    EXPECT_EQ(rt::Variant(u" 12 ").AsInt16(), 12);
    EXPECT_TRUE(rt::Variant(u"True").AsBool());
    EXPECT_FALSE(rt::Variant().AsDispatch());
    EXPECT_EQ(rt::Variant(object).AsObject<ITestThing>().get(), object.get());
}

TEST(VariantObjects, ReferenceCountsAreExact) {
    auto object = rt::MakeObject<TestThing>();
    const ULONG base = RefCount(object.get());
    {
        rt::Variant held(object);
        EXPECT_EQ(RefCount(object.get()), base + 1);
        rt::Variant copy = held;
        rt::Variant moved = std::move(copy);
        EXPECT_EQ(RefCount(object.get()), base + 2);
        ASSERT_EQ(moved.ChangeType(VT_UNKNOWN), S_OK);
        ASSERT_EQ(moved.ChangeType(VT_DISPATCH), S_OK);
        EXPECT_EQ(RefCount(object.get()), base + 2);
        EXPECT_EQ(moved.ChangeType(VT_I4), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(RefCount(object.get()), base + 2);
        {
            rt::Ref<IDispatch> read = held.AsDispatch();
            EXPECT_EQ(RefCount(object.get()), base + 3);
        }
        IDispatch* raw = object.get();
        VARIANT ref = ByRef(&raw);
        VARIANT out{};
        ASSERT_EQ(VariantCopyInd(&out, &ref), S_OK);
        EXPECT_EQ(RefCount(object.get()), base + 3);
        VariantClear(&out);
        held = rt::Variant(7);
        EXPECT_EQ(RefCount(object.get()), base + 1);
    }
    EXPECT_EQ(RefCount(object.get()), base);
}

}  // namespace
}  // namespace rt_test
