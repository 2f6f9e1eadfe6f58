// Locations and files a host should never be fooled by: a path that a NUL would cut short, a
// mistyped path that must not become a new catalog, keys written into the file by hand.
#include <filesystem>

#include "fault_support.h"
#include "nubex/search.h"
#include "runtime/call_by_name.h"
#include "runtime/registry.h"

namespace nubex_test {
namespace {

namespace fs = std::filesystem;
using rt::CallType;

// Opened by name, as a host's script does: a location that a NUL would cut short is refused, and
// a mistyped path becomes a new catalog only when the call asks for one.
TEST(HostileCatalog, OpeningByNameRefusesANulAndCreatesOnlyWhenAskedTo) {
    TempFolder dir;
    const Ref<IDispatch> catalog = rt::CreateInstance<IDispatch>(nubex::CLSID_Catalog);
    const std::string cut = (dir / "c.db").string();
    const std::u16string withNul = rt::Utf8ToUtf16(cut) + std::u16string(1, u'\0') + u"x";
    EXPECT_THROW(CallByName(catalog.get(), u"Open", CallType::Method, withNul, LONG{1000}, true),
                 rt::RuntimeError);
    EXPECT_EQ(rt::LastError().number, nubex::err::kBadLocation.number);
    EXPECT_EQ(rt::LastError().description, nubex::err::kBadLocation.text);
    EXPECT_EQ(OpenError(cut + std::string(1, '\0') + "x").number(),
              nubex::err::kBadLocation.number);
    EXPECT_FALSE(fs::exists(cut));

    const std::string fresh = (dir / "nuevo.db").string();
    EXPECT_THROW(CallByName(catalog.get(), u"Open", CallType::Method, rt::Utf8ToUtf16(fresh)),
                 rt::RuntimeError);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoCatalogThere.number);
    EXPECT_FALSE(fs::exists(fresh));
    CallByName(catalog.get(), u"Open", CallType::Method, rt::Utf8ToUtf16(fresh), LONG{1000}, true);
    EXPECT_NO_THROW(nubex::OpenCatalog(fresh));
}

// Keys beyond the API's Long, or below 1, as a hand edit of the file leaves them.
class KeyOutOfRange : public FileCatalogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KeyOutOfRange, IsReportedAsADamagedCatalogNeverAsAnotherRow) {
    Ref<nubex::Pais> mx = AddPais(cnn_.get(), u"MX", u"México");
    const std::u16string guid = Guid(mx.get());
    RawDb(path_).Exec(
        std::string("PRAGMA ignore_check_constraints = ON; UPDATE Pais SET Sys_PK = ") +
        GetParam());

    Ref<nubex::View> countries;
    EXPECT_NE(catalog_->V_Pais(countries.put()), S_OK);
    ExpectLastError(nubex::err::kDamagedCatalog);
    rt::BString text(guid);
    BSTR raw = text.get();
    LONG noKey = 0;
    LONG mode = 1;
    nubex::Connection* cnn = cnn_.get();
    VARIANT_BOOL found = VARIANT_FALSE;
    EXPECT_NE(NewPais()->LoadRecord(&noKey, &raw, &cnn, &mode, &found), S_OK);
    ExpectLastError(nubex::err::kDamagedCatalog);
    EXPECT_THROW(nubex::Search(catalog_.get(), u"mexico"), rt::RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(HostileCatalog, KeyOutOfRange,
                         ::testing::Values("4294967297", "2147483648", "0", "-1"));

}  // namespace
}  // namespace nubex_test
