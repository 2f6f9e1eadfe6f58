// Late-bound calls from C++: argument passing, property access and the errors a caller sees.
#include <gtest/gtest.h>

#include "error_from.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"
#include "test_thing.h"

namespace rt_test {
namespace {

using rt::CallByName;
using rt::CallType;

using mundor::testing::ErrorFrom;

class CallByNameTest : public ::testing::Test {
  protected:
    rt::Ref<TestThing> thing = rt::MakeObject<TestThing>();
    IDispatch* disp = thing.get();
};

TEST_F(CallByNameTest, VariantVariablesGoByReferenceAndConstantsByValue) {
    rt::Variant count(5), text(u"hola"), box(u"caja");
    const rt::Variant fixed(5);
    EXPECT_EQ(CallByName(disp, u"bump", CallType::Method, count, 2), rt::Variant(7));
    CallByName(disp, u"Decorate", CallType::Method, text);
    EXPECT_EQ(CallByName(disp, u"Stash", CallType::Method, box), rt::Variant(u"caja"));
    EXPECT_EQ(CallByName(disp, u"Bump", CallType::Method, fixed), rt::Variant(6));
    EXPECT_EQ(CallByName(disp, u"Bump", CallType::Method, rt::Variant(u"9")), rt::Variant(10));
    EXPECT_EQ(count, rt::Variant(7));
    EXPECT_EQ(text, rt::Variant(u"[hola]"));
    EXPECT_EQ(box, rt::Variant(99));
    EXPECT_EQ(fixed, rt::Variant(5));
}

TEST_F(CallByNameTest, LetThenGetAProperty) {
    CallByName(disp, u"Name", CallType::Let, u"Jalisco");
    EXPECT_EQ(CallByName(disp, u"NAME", CallType::Get), rt::Variant(u"Jalisco"));
}

TEST_F(CallByNameTest, EmptyObjectRaises91AndUnknownMemberRaises438) {
    const rt::RuntimeError notSet = ErrorFrom([] { CallByName(nullptr, u"Name", CallType::Get); });
    EXPECT_EQ(notSet.number(), 91);
    EXPECT_EQ(notSet.description(), u"Variable de objeto o bloque With no establecida");
    EXPECT_EQ(ErrorFrom([&] { CallByName(disp, u"Volar", CallType::Method); }).number(), 438);
}

TEST_F(CallByNameTest, CalleeErrorsArriveWithNumberDescriptionAndSource) {
    const rt::RuntimeError raised =
        ErrorFrom([&] { CallByName(disp, u"Fail", CallType::Method, 3001, u"No hay conexión"); });
    EXPECT_EQ(raised.number(), 3001);
    EXPECT_EQ(raised.description(), u"No hay conexión");
    EXPECT_EQ(raised.source(), kTestSource);
}

TEST_F(CallByNameTest, ArgumentFailuresBecomeThePlatformsNumbers) {
    rt::Variant count(1);
    EXPECT_EQ(ErrorFrom([&] { CallByName(disp, u"Bump", CallType::Method, u"x"); }).number(), 13);
    EXPECT_EQ(ErrorFrom([&] { CallByName(disp, u"Bump", CallType::Method); }).number(), 449);
    EXPECT_EQ(ErrorFrom([&] { CallByName(disp, u"Bump", CallType::Method, count, 1, 2); }).number(),
              450);
    EXPECT_EQ(count, rt::Variant(1));
    EXPECT_EQ(thing->calls, 0);
}

}  // namespace
}  // namespace rt_test
