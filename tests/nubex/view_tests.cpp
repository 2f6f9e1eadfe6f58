// Views: the rows under one parent, in name order, with their fields by name, typed and late
// bound (rows("Nombre") is the default member).
#include <vector>

#include "runtime/call_by_name.h"
#include "test_support.h"

namespace nubex_test {
namespace {

using Names = std::vector<std::u16string>;

class Views : public SampleCatalogTest {
  protected:
    // A field of the current row; a failing HRESULT leaves the value empty.
    static rt::Variant Field(nubex::View* rows, const char16_t* name, HRESULT expected = S_OK) {
        rt::Variant key(name);
        rt::Variant value;
        EXPECT_EQ(rows->Item(key.get(), value.put()), expected) << rt::Utf16ToUtf8(name);
        return value;
    }
    static Names NamesOf(nubex::View* rows) {
        Names names;
        for (VARIANT_BOOL eof = 0; rows->get_EOF(&eof) == S_OK && !eof; rows->MoveNext()) {
            names.push_back(Field(rows, u"Nombre").AsString());
        }
        return names;
    }
    Ref<nubex::View> Countries() {
        Ref<nubex::View> rows;
        EXPECT_EQ(catalog_->V_Pais(rows.put()), S_OK);
        return rows;
    }
};

TEST_F(Views, CountriesComeInSpanishNameOrder) {
    for (const char16_t* name : {u"Zambia", u"Ecuador", u"Éire", u"alemania", u"Österreich",
                                 u"Belice", u"El Salvador", u"Canadá", u"Chile"}) {
        AddPais(cnn_.get(), name, name);
    }
    EXPECT_EQ(NamesOf(Countries().get()),
              (Names{u"alemania", u"Argentina", u"Belice", u"Canadá", u"Chile", u"Ecuador", u"Éire",
                     u"El Salvador", u"México", u"Österreich", u"Zambia"}));
}

// Which rows a parent's view holds, in which order, is what the browser's tree shows:
// TreeLoading.FirstExpansion* and TreeLoading.KeysAreDistinctPerLevel* check it.
TEST_F(Views, StateRowsNameTheirCountryAndAnUnknownParentHasNoRows) {
    LONG key = Pk(mx_.get());
    Ref<nubex::View> states;
    ASSERT_EQ(catalog_->V_EdoProv(&key, states.put()), S_OK);
    // State rows name their country, and have no area code.
    EXPECT_EQ(rt::CallByName(states.get(), u"Item", rt::CallType::Get, u"IPais").AsLong(), key);
    EXPECT_THROW(rt::CallByName(states.get(), u"Item", rt::CallType::Get, u"CodigoTel"),
                 rt::RuntimeError);
    key = 424242;
    Ref<nubex::View> none;
    ASSERT_EQ(catalog_->V_Ciudades(&key, none.put()), S_OK);
    EXPECT_TRUE(NamesOf(none.get()).empty());
}

TEST_F(Views, RowsCarryTheFieldsTheBrowserReadsWhateverTheirCase) {
    Ref<nubex::View> rows = Countries();  // Argentina first
    EXPECT_EQ(Field(rows.get(), u"SYS_GUID").AsString(), Guid(ar_.get()));
    EXPECT_EQ(Field(rows.get(), u"Codigo").AsString(), u"AR");
    EXPECT_EQ(Field(rows.get(), u"Sys_PK").vt(), VT_I4);
    EXPECT_EQ(Field(rows.get(), u"Sys_PK").AsLong(), Pk(ar_.get()));

    Field(rows.get(), u"Poblacion", rt::HResultFromErrorNumber(nubex::err::kNoSuchField.number));
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoSuchField.number);
    EXPECT_EQ(rt::LastError().description,
              std::u16string(nubex::err::kNoSuchField.text) + u"Poblacion");
}

TEST_F(Views, AViewIsASnapshotAndEndsCleanly) {
    Ref<nubex::View> rows = Countries();
    AddPais(cnn_.get(), u"BR", u"Brasil");
    EXPECT_EQ(NamesOf(rows.get()), (Names{u"Argentina", u"México"}));

    const HRESULT noRow = rt::HResultFromErrorNumber(nubex::err::kNoCurrentRow.number);
    Field(rows.get(), u"Nombre", noRow);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoCurrentRow.number);
    EXPECT_EQ(rows->MoveNext(), noRow);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoCurrentRow.number);
}

}  // namespace
}  // namespace nubex_test
