// What the data refuses: the record reports it (a store answers False with ErrorCode and
// ErrorDescription; a delete raises) and the catalog file is exactly as it was before.
#include "test_support.h"

namespace nubex_test {
namespace {

class Refusals : public SampleCatalogTest {
  protected:
    void ExpectUnchanged() { EXPECT_EQ(Dump(path_), before_); }
    void ExpectRefused(nubex::DataRecord* record, const nubex::err::ErrorText& error) {
        ExpectStoreRefused(record, error);
        ExpectUnchanged();
    }
    // A delete refused with the error raised, and nothing deleted.
    void ExpectDeleteRefused(nubex::DataRecord* record, const nubex::err::ErrorText& error) {
        EXPECT_EQ(Delete(record), rt::HResultFromErrorNumber(error.number));
        ExpectLastError(error);
        ExpectUnchanged();
    }

    std::u16string before_ = Dump(path_);
};

TEST_F(Refusals, DuplicateCodesAreRefusedOnAddAndOnEditWithinTheirParent) {
    Ref<nubex::Pais> dup = Unsaved<nubex::Pais>(cnn_.get());
    Write(dup.get(), &nubex::Pais::put_Codigo, u"MX");
    ExpectRefused(dup.get(), nubex::err::kPaisDuplicateCode);
    EXPECT_EQ(Pk(dup.get()), 0);
    EXPECT_EQ(Guid(dup.get()), u"");

    Write(ar_.get(), &nubex::Pais::put_Codigo, u"MX");
    ExpectRefused(ar_.get(), nubex::err::kPaisDuplicateCode);
}

TEST_F(Refusals, StateCodesAreUniqueWithinTheirCountryOnly) {
    Ref<nubex::EdoProv> dup = Unsaved<nubex::EdoProv>(cnn_.get(), Pk(mx_.get()));
    Write(dup.get(), &nubex::EdoProv::put_Codigo, u"JAL");
    ExpectRefused(dup.get(), nubex::err::kEdoProvDuplicateCode);

    // Under another country it is stored, and the successful store clears the last error.
    ASSERT_TRUE(LoadByKey(ParentOf(dup.get()).get(), Pk(ar_.get())));
    EXPECT_TRUE(Save(dup.get()));
    EXPECT_EQ(ErrorCode(dup.get()), 0);
    EXPECT_EQ(ErrorText(dup.get()), u"");
}

TEST_F(Refusals, RecordsWithoutTheirParentAreRefused) {
    Ref<nubex::EdoProv> orphan = Unsaved<nubex::EdoProv>(cnn_.get());
    Write(orphan.get(), &nubex::EdoProv::put_Codigo, u"X");
    ExpectRefused(orphan.get(), nubex::err::kEdoProvParentMissing);
    ExpectRefused(Unsaved<nubex::Ciudad>(cnn_.get()).get(), nubex::err::kCiudadParentMissing);
}

TEST_F(Refusals, ParentDeletedMeanwhileIsRefused) {
    Ref<nubex::EdoProv> edo = Unsaved<nubex::EdoProv>(cnn_.get(), Pk(ar_.get()));
    ASSERT_EQ(Delete(ar_.get()), S_OK);
    before_ = Dump(path_);
    ExpectRefused(edo.get(), nubex::err::kEdoProvParentUnknown);
}

TEST_F(Refusals, StaleEditIsRefusedAndTheOtherUsersChangeSurvives) {
    Ref<nubex::Pais> mine = NewPais();
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx_.get()), cnn_.get()));
    Write(mx_.get(), &nubex::Pais::put_Nombre, u"Cambio del otro usuario");
    ASSERT_TRUE(Save(mx_.get()));
    before_ = Dump(path_);

    Write(mine.get(), &nubex::Pais::put_Nombre, u"Mi cambio");
    ExpectRefused(mine.get(), nubex::err::kModifiedByOther);
    ExpectDeleteRefused(mine.get(), nubex::err::kModifiedByOther);

    // After a reload the edit goes through.
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx_.get())));
    Write(mine.get(), &nubex::Pais::put_Nombre, u"Mi cambio");
    EXPECT_TRUE(Save(mine.get()));
}

}  // namespace
}  // namespace nubex_test
