// Binding the facade to a host's catalog: exactly one counted reference is held, replaced and
// released, through the vtable and by name alike.
#include <gtest/gtest.h>

#include "component_fixture.h"
#include "nubex/nubex.h"
#include "runtime/call_by_name.h"

namespace mundor::testing {
namespace {

// The object's current reference count, read without changing it.
ULONG RefsOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class BindingTest : public ComponentTest {
  protected:
    void SetUp() override {
        fx_.SetDataObjects({});
        baseline_ = RefsOf(catalog_.get());
    }
    ULONG baseline_ = 0;
};

TEST_F(BindingTest, BindingTwiceHoldsOneReference) {
    fx_.SetDataObjects(catalog_);
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1);
    fx_.SetDataObjects(catalog_);
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1);
    EXPECT_EQ(fx_.DataObjects().get(), catalog_.get());
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1) << "DataObjects leaked a reference";
}

TEST_F(BindingTest, ReplacingOrEmptyingReleasesTheOldCatalog) {
    auto other = nubex::OpenCatalog(":memory:");
    const ULONG otherBaseline = RefsOf(other.get());
    fx_.SetDataObjects(catalog_);
    fx_.SetDataObjects(other);
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_);
    EXPECT_EQ(RefsOf(other.get()), otherBaseline + 1);
    fx_.SetDataObjects({});
    EXPECT_EQ(RefsOf(other.get()), otherBaseline);
    EXPECT_FALSE(fx_.DataObjects());
}

TEST_F(BindingTest, ReleasingTheFacadeReleasesTheCatalogWhichStaysUsable) {
    {
        MundorClient second = NewFacade();
        second.SetDataObjects(catalog_);
        EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1);
    }
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_);
    auto pais = AddPais(u"AR", u"Argentina");
    EXPECT_TRUE(PaisExists(KeyOf(pais.get())));
}

TEST_F(BindingTest, ByNameBindsReadsAndUnbindsTheSameWay) {
    {
        rt::Variant newValue(catalog_);  // a Variant variable: passed by reference
        rt::CallByName(fx_.get(), u"setdataobjects", rt::CallType::Method, newValue);
        EXPECT_EQ(newValue.AsObject<nubex::Catalog>().get(), catalog_.get()) << "NewValue changed";
    }
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1);
    {
        const rt::Variant read = rt::CallByName(fx_.get(), u"DataObjects", rt::CallType::Get);
        EXPECT_EQ(read.vt(), VT_DISPATCH);
        EXPECT_EQ(read.AsObject<nubex::Catalog>().get(), catalog_.get());
    }
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_ + 1) << "reading by name leaked a reference";
    rt::CallByName(fx_.get(), u"SetDataObjects", rt::CallType::Method, rt::Variant::Nothing());
    EXPECT_EQ(RefsOf(catalog_.get()), baseline_);
    EXPECT_EQ(rt::CallByName(fx_.get(), u"DataObjects", rt::CallType::Get).AsDispatch().get(),
              nullptr);
}

TEST_F(BindingTest, AnObjectThatIsNotACatalogIsRefusedByName) {
    fx_.SetDataObjects(catalog_);
    auto pais = AddPais(u"UY", u"Uruguay");
    EXPECT_THROW(
        rt::CallByName(fx_.get(), u"SetDataObjects", rt::CallType::Method, rt::Variant(pais)),
        rt::RuntimeError);
    EXPECT_EQ(fx_.DataObjects().get(), catalog_.get()) << "a refused bind changed the binding";
}

}  // namespace
}  // namespace mundor::testing
