// Binding the facade to a host's catalog: exactly one counted reference is held, replaced and
// released, through the vtable and by name alike.
#include <gtest/gtest.h>

#include "browser_fixture.h"
#include "facade/mundor_client.h"
#include "installed_component.h"
#include "nubex/nubex.h"
#include "runtime/call_by_name.h"
#include "runtime/error.h"

namespace mundor::testing {
namespace {

using browser_test::HostCall;

// The object's current reference count, read without changing it.
ULONG RefsOf(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

class BindingTest : public browser_test::BrowserTest,
                    public ::testing::WithParamInterface<HostCall> {
  protected:
    BindingTest() {
        Bind({});
        baseline_ = RefsOf(catalog());
    }
    nubex::Catalog* catalog() const { return catalog_.catalog().get(); }
    // SetDataObjects; by name the host's Variant variable goes by reference and stays as it was.
    void Bind(const rt::Ref<nubex::Catalog>& catalog) {
        if (GetParam() == HostCall::Typed)
            return MundorClient(fx_.As<_MundorFx>()).SetDataObjects(catalog);
        rt::Variant newValue = catalog ? rt::Variant(catalog) : rt::Variant::Nothing();
        rt::CallByName(fx_.get(), u"setdataobjects", rt::CallType::Method, newValue);
        EXPECT_EQ(newValue.AsObject<nubex::Catalog>(), catalog) << "NewValue changed";
    }
    rt::Ref<nubex::Catalog> Read() const {
        if (GetParam() == HostCall::Typed) return MundorClient(fx_.As<_MundorFx>()).DataObjects();
        const rt::Variant read = rt::CallByName(fx_.get(), u"DataObjects", rt::CallType::Get);
        EXPECT_EQ(read.vt(), VT_DISPATCH);
        return read.AsObject<nubex::Catalog>();
    }
    ULONG baseline_ = 0;
};

INSTANTIATE_TEST_SUITE_P(Roads, BindingTest, ::testing::Values(HostCall::Typed, HostCall::ByName),
                         browser_test::HostCallName);

// A refused bind (by name, an object that is not a catalog) changes nothing; a released facade
// lets its catalog go, and the catalog stays usable.
TEST_P(BindingTest, HoldsOneReferenceToTheBoundCatalogAndReleasesItWhenReplacedEmptiedOrGone) {
    Bind(catalog_.catalog());
    Bind(catalog_.catalog());
    EXPECT_EQ(RefsOf(catalog()), baseline_ + 1);
    EXPECT_EQ(Read().get(), catalog());
    EXPECT_EQ(RefsOf(catalog()), baseline_ + 1) << "reading DataObjects leaked a reference";
    auto record = rt::CreateInstance<IDispatch>(nubex::CLSID_Pais);
    EXPECT_THROW(
        rt::CallByName(fx_.get(), u"SetDataObjects", rt::CallType::Method, rt::Variant(record)),
        rt::RuntimeError);
    EXPECT_EQ(Read().get(), catalog()) << "a refused bind changed the binding";

    auto other = nubex::OpenCatalog(":memory:");
    const ULONG otherBaseline = RefsOf(other.get());
    Bind(other);
    EXPECT_EQ(RefsOf(catalog()), baseline_);
    EXPECT_EQ(RefsOf(other.get()), otherBaseline + 1);
    Bind({});
    EXPECT_EQ(RefsOf(other.get()), otherBaseline);
    EXPECT_FALSE(Read());

    {
        MundorClient second(browser_test::InstalledComponent::Get().NewMundorFx().As<_MundorFx>());
        second.SetDataObjects(catalog_.catalog());
        EXPECT_EQ(RefsOf(catalog()), baseline_ + 1);
    }
    EXPECT_EQ(RefsOf(catalog()), baseline_);
    catalog_.AddPais(u"AR", u"Argentina", u"54");
    EXPECT_EQ(catalog_.Countries().size(), 1u);
}

}  // namespace
}  // namespace mundor::testing
