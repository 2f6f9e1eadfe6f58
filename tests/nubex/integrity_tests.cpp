// What the data refuses: the record reports it (a store answers False with ErrorCode and
// ErrorDescription; a delete raises) and the catalog file is exactly as it was before.
#include "test_support.h"

namespace nubex_test {
namespace {

class Refusals : public FileCatalogTest {
  protected:
    Refusals() {
        mx_ = AddPais(cnn_.get(), u"MX", u"México");
        ar_ = AddPais(cnn_.get(), u"AR", u"Argentina");
        jal_ = AddEdoProv(cnn_.get(), Pk(mx_.get()), u"JAL", u"Jalisco");
        gdl_ = AddCiudad(cnn_.get(), Pk(jal_.get()), u"GDL", u"Guadalajara");
        before_ = Dump(path_);
    }
    void ExpectUnchanged() { EXPECT_EQ(Dump(path_), before_); }
    void ExpectRefused(nubex::DataRecord* record, const nubex::err::ErrorText& error) {
        EXPECT_FALSE(Save(record));
        EXPECT_EQ(ErrorCode(record), error.number);
        EXPECT_EQ(ErrorText(record), error.text);
        ExpectUnchanged();
    }

    Ref<nubex::Pais> mx_, ar_;
    Ref<nubex::EdoProv> jal_;
    Ref<nubex::Ciudad> gdl_;
    std::u16string before_;
};

TEST_F(Refusals, DuplicateCountryCodeIsRefusedOnAddAndOnEdit) {
    Ref<nubex::Pais> dup = NewPais();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(dup->SetConnection(&cnn), S_OK);
    Write(dup.get(), &nubex::Pais::put_Codigo, u"MX");
    ExpectRefused(dup.get(), nubex::err::kPaisDuplicateCode);
    EXPECT_EQ(Pk(dup.get()), 0);
    EXPECT_EQ(Guid(dup.get()), u"");

    Write(ar_.get(), &nubex::Pais::put_Codigo, u"MX");
    ExpectRefused(ar_.get(), nubex::err::kPaisDuplicateCode);
}

TEST_F(Refusals, StateCodesAreUniqueWithinTheirCountryOnly) {
    Ref<nubex::EdoProv> dup = NewEdoProv();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(dup->SetConnection(&cnn), S_OK);
    Ref<nubex::Pais> parent;
    ASSERT_EQ(dup->get_IPais(parent.put()), S_OK);
    ASSERT_TRUE(LoadByKey(parent.get(), Pk(mx_.get())));
    Write(dup.get(), &nubex::EdoProv::put_Codigo, u"JAL");
    ExpectRefused(dup.get(), nubex::err::kEdoProvDuplicateCode);

    ASSERT_TRUE(LoadByKey(parent.get(), Pk(ar_.get())));
    EXPECT_TRUE(Save(dup.get()));
    EXPECT_EQ(ErrorCode(dup.get()), 0);
}

TEST_F(Refusals, CityCodeTakenInTheSameStateIsRefused) {
    Ref<nubex::Ciudad> dup = NewCiudad();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(dup->SetConnection(&cnn), S_OK);
    Ref<nubex::EdoProv> parent;
    ASSERT_EQ(dup->get_Estado(parent.put()), S_OK);
    ASSERT_TRUE(LoadByKey(parent.get(), Pk(jal_.get())));
    Write(dup.get(), &nubex::Ciudad::put_Codigo, u"GDL");
    ExpectRefused(dup.get(), nubex::err::kCiudadDuplicateCode);
}

TEST_F(Refusals, EmptyCodesMayRepeat) {
    Ref<nubex::Pais> a = AddPais(cnn_.get(), u"", u"Sin código 1");
    Ref<nubex::Pais> b = AddPais(cnn_.get(), u"", u"Sin código 2");
    EXPECT_NE(Pk(a.get()), Pk(b.get()));
}

TEST_F(Refusals, StateWithoutCountryIsRefused) {
    Ref<nubex::EdoProv> orphan = NewEdoProv();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(orphan->SetConnection(&cnn), S_OK);
    Write(orphan.get(), &nubex::EdoProv::put_Codigo, u"X");
    ExpectRefused(orphan.get(), nubex::err::kEdoProvParentMissing);

    // The key-based launchers pass parent key 0: the load fails and IPais stays empty.
    Ref<nubex::Pais> parent;
    ASSERT_EQ(orphan->get_IPais(parent.put()), S_OK);
    EXPECT_FALSE(LoadByKey(parent.get(), 0));
    ExpectRefused(orphan.get(), nubex::err::kEdoProvParentMissing);
}

TEST_F(Refusals, CityWithoutStateIsRefused) {
    Ref<nubex::Ciudad> orphan = NewCiudad();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(orphan->SetConnection(&cnn), S_OK);
    ExpectRefused(orphan.get(), nubex::err::kCiudadParentMissing);
}

TEST_F(Refusals, ParentDeletedMeanwhileIsRefused) {
    Ref<nubex::EdoProv> edo = NewEdoProv();
    nubex::Connection* cnn = cnn_.get();
    ASSERT_EQ(edo->SetConnection(&cnn), S_OK);
    Ref<nubex::Pais> parent;
    ASSERT_EQ(edo->get_IPais(parent.put()), S_OK);
    ASSERT_TRUE(LoadByKey(parent.get(), Pk(ar_.get())));
    ASSERT_EQ(Delete(ar_.get()), S_OK);
    before_ = Dump(path_);
    ExpectRefused(edo.get(), nubex::err::kEdoProvParentUnknown);
}

TEST_F(Refusals, EditingAStateKeepsItsCountryWhenTheDialogPassesParentKeyZero) {
    Ref<nubex::EdoProv> edo = NewEdoProv();
    ASSERT_TRUE(LoadByKey(edo.get(), Pk(jal_.get()), cnn_.get()));
    Ref<nubex::Pais> parent;
    ASSERT_EQ(edo->get_IPais(parent.put()), S_OK);
    EXPECT_FALSE(LoadByKey(parent.get(), 0));
    Write(edo.get(), &nubex::EdoProv::put_Nombre, u"Jalisco (editado)");
    ASSERT_TRUE(Save(edo.get()));
    Ref<nubex::EdoProv> reread = NewEdoProv();
    ASSERT_TRUE(LoadByKey(reread.get(), Pk(jal_.get()), cnn_.get()));
    Ref<nubex::Pais> rereadParent;
    ASSERT_EQ(reread->get_IPais(rereadParent.put()), S_OK);
    EXPECT_EQ(Pk(rereadParent.get()), Pk(mx_.get()));
}

TEST_F(Refusals, CountryWithStatesIsNotDeleted) {
    EXPECT_EQ(Delete(mx_.get()), rt::HResultFromErrorNumber(nubex::err::kPaisHasDependents.number));
    ExpectLastError(nubex::err::kPaisHasDependents);
    EXPECT_EQ(ErrorCode(mx_.get()), nubex::err::kPaisHasDependents.number);
    EXPECT_GT(Pk(mx_.get()), 0);
    ExpectUnchanged();
}

TEST_F(Refusals, StateWithCitiesIsNotDeleted) {
    EXPECT_LT(Delete(jal_.get()), 0);
    ExpectLastError(nubex::err::kEdoProvHasDependents);
    ExpectUnchanged();
}

TEST_F(Refusals, StaleEditIsRefusedAndTheOtherUsersChangeSurvives) {
    Ref<nubex::Pais> mine = NewPais();
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx_.get()), cnn_.get()));
    Write(mx_.get(), &nubex::Pais::put_Nombre, u"Cambio del otro usuario");
    ASSERT_TRUE(Save(mx_.get()));
    before_ = Dump(path_);

    Write(mine.get(), &nubex::Pais::put_Nombre, u"Mi cambio");
    ExpectRefused(mine.get(), nubex::err::kModifiedByOther);
    EXPECT_LT(Delete(mine.get()), 0);
    ExpectLastError(nubex::err::kModifiedByOther);
    ExpectUnchanged();

    // After a reload the edit goes through.
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx_.get())));
    Write(mine.get(), &nubex::Pais::put_Nombre, u"Mi cambio");
    EXPECT_TRUE(Save(mine.get()));
}

TEST_F(Refusals, EditOfARecordDeletedByOthersIsRefused) {
    Ref<nubex::Ciudad> mine = NewCiudad();
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(gdl_.get()), cnn_.get()));
    ASSERT_EQ(Delete(gdl_.get()), S_OK);
    before_ = Dump(path_);
    Write(mine.get(), &nubex::Ciudad::put_Nombre, u"Zapopan");
    ExpectRefused(mine.get(), nubex::err::kDeletedByOther);
    EXPECT_LT(Delete(mine.get()), 0);
    ExpectLastError(nubex::err::kDeletedByOther);
    ExpectUnchanged();
}

TEST_F(Refusals, ASuccessfulStoreClearsTheLastError) {
    Write(ar_.get(), &nubex::Pais::put_Codigo, u"MX");
    ASSERT_FALSE(Save(ar_.get()));
    Write(ar_.get(), &nubex::Pais::put_Codigo, u"RA");
    EXPECT_TRUE(Save(ar_.get()));
    EXPECT_EQ(ErrorCode(ar_.get()), 0);
    EXPECT_EQ(ErrorText(ar_.get()), u"");
}

}  // namespace
}  // namespace nubex_test
