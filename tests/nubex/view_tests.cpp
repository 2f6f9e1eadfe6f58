// Views: the rows under one parent, in name order, with their fields by name, typed and late
// bound (rows("Nombre") is the default member).
#include <vector>

#include "runtime/call_by_name.h"
#include "test_support.h"

namespace nubex_test {
namespace {

class Views : public FileCatalogTest {
  protected:
    std::vector<std::u16string> Names(nubex::View* rows) {
        std::vector<std::u16string> names;
        VARIANT_BOOL eof = 0;
        while (rows->get_EOF(&eof) == S_OK && !eof) {
            rt::Variant field(u"Nombre");
            rt::Variant value;
            EXPECT_EQ(rows->Item(field.get(), value.put()), S_OK);
            names.push_back(value.AsString());
            EXPECT_EQ(rows->MoveNext(), S_OK);
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
    EXPECT_EQ(Names(Countries().get()),
              (std::vector<std::u16string>{u"alemania", u"Belice", u"Canadá", u"Chile", u"Ecuador",
                                           u"Éire", u"El Salvador", u"Österreich", u"Zambia"}));
}

TEST_F(Views, StatesAndCitiesAreThoseOfTheirParentOnly) {
    const LONG mx = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
    const LONG ar = Pk(AddPais(cnn_.get(), u"AR", u"Argentina").get());
    const LONG jal = Pk(AddEdoProv(cnn_.get(), mx, u"JAL", u"Jalisco").get());
    AddEdoProv(cnn_.get(), mx, u"AGS", u"Aguascalientes");
    const LONG cba = Pk(AddEdoProv(cnn_.get(), ar, u"X", u"Córdoba").get());
    AddCiudad(cnn_.get(), jal, u"GDL", u"Guadalajara");
    AddCiudad(cnn_.get(), jal, u"ZAP", u"Zapopan");
    AddCiudad(cnn_.get(), cba, u"C", u"Córdoba");

    LONG key = mx;
    Ref<nubex::View> states;
    ASSERT_EQ(catalog_->V_EdoProv(&key, states.put()), S_OK);
    EXPECT_EQ(Names(states.get()), (std::vector<std::u16string>{u"Aguascalientes", u"Jalisco"}));
    key = jal;
    Ref<nubex::View> cities;
    ASSERT_EQ(catalog_->V_Ciudades(&key, cities.put()), S_OK);
    EXPECT_EQ(Names(cities.get()), (std::vector<std::u16string>{u"Guadalajara", u"Zapopan"}));
    key = 424242;
    Ref<nubex::View> none;
    ASSERT_EQ(catalog_->V_Ciudades(&key, none.put()), S_OK);
    EXPECT_TRUE(Names(none.get()).empty());
}

TEST_F(Views, RowsCarryTheFieldsTheBrowserReadsWhateverTheirCase) {
    Ref<nubex::Pais> mx = AddPais(cnn_.get(), u"MX", u"México", u"52");
    Ref<nubex::View> rows = Countries();
    auto field = [&](const char16_t* name) {
        rt::Variant key(name);
        rt::Variant value;
        EXPECT_EQ(rows->Item(key.get(), value.put()), S_OK);
        return value;
    };
    EXPECT_EQ(field(u"Sys_GUID").AsString(), Guid(mx.get()));
    EXPECT_EQ(field(u"SYS_GUID").AsString(), Guid(mx.get()));
    EXPECT_EQ(field(u"codigoTel").AsString(), u"52");
    EXPECT_EQ(field(u"Codigo").AsString(), u"MX");
    EXPECT_EQ(field(u"Sys_PK").vt(), VT_I4);
    EXPECT_EQ(field(u"Sys_PK").AsLong(), Pk(mx.get()));

    rt::Variant unknown(u"Poblacion");
    rt::Variant value;
    EXPECT_LT(rows->Item(unknown.get(), value.put()), 0);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoSuchField.number);
    EXPECT_EQ(rt::LastError().description,
              std::u16string(nubex::err::kNoSuchField.text) + u"Poblacion");
}

TEST_F(Views, StateRowsHaveNoAreaCodeButNameTheirCountry) {
    const LONG mx = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
    AddEdoProv(cnn_.get(), mx, u"JAL", u"Jalisco");
    LONG key = mx;
    Ref<nubex::View> rows;
    ASSERT_EQ(catalog_->V_EdoProv(&key, rows.put()), S_OK);
    EXPECT_EQ(rt::CallByName(rows.get(), u"Item", rt::CallType::Get, u"IPais").AsLong(), mx);
    EXPECT_THROW(rt::CallByName(rows.get(), u"Item", rt::CallType::Get, u"CodigoTel"),
                 rt::RuntimeError);
}

TEST_F(Views, AViewIsASnapshotAndEndsCleanly) {
    AddPais(cnn_.get(), u"MX", u"México");
    Ref<nubex::View> rows = Countries();
    AddPais(cnn_.get(), u"AR", u"Argentina");
    EXPECT_EQ(Names(rows.get()), (std::vector<std::u16string>{u"México"}));

    rt::Variant name(u"Nombre");
    rt::Variant value;
    EXPECT_LT(rows->Item(name.get(), value.put()), 0);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoCurrentRow.number);
    EXPECT_LT(rows->MoveNext(), 0);
    EXPECT_EQ(rt::LastError().number, nubex::err::kNoCurrentRow.number);
}

}  // namespace
}  // namespace nubex_test
