// A state and a city through add, load by key and by identifier with their parents, edit, move
// and delete, against a stored catalog (a file, or a PostgreSQL schema); and the loading rules
// records promise. Every class's round trip by name is in dispatch_tests.cpp.
#include "test_support.h"

namespace nubex_test {
namespace {

using RecordRoundTrip = SampleCatalogTest;

TEST_F(RecordRoundTrip, StatesAndCitiesLoadTheChainOfTheirParentsAndMoveWithIt) {
    const LONG ar = Pk(ar_.get());
    Ref<nubex::Ciudad> loaded = New<nubex::Ciudad>();
    ASSERT_TRUE(LoadByGuid(loaded.get(), Guid(gdl_.get()), cnn_.get()));
    EXPECT_EQ(Pk(loaded.get()), Pk(gdl_.get()));
    EXPECT_EQ(Read(loaded.get(), &nubex::Ciudad::get_Codigo), u"GDL");
    EXPECT_EQ(Read(loaded.get(), &nubex::Ciudad::get_CodigoTel), u"33");
    Ref<nubex::EdoProv> estado = ParentOf(loaded.get());
    EXPECT_EQ(Pk(estado.get()), Pk(jal_.get()));
    EXPECT_EQ(Read(estado.get(), &nubex::EdoProv::get_Nombre), u"Jalisco");
    EXPECT_EQ(Pk(ParentOf(estado.get()).get()), Pk(mx_.get()));
    EXPECT_EQ(Read(ParentOf(estado.get()).get(), &nubex::Pais::get_Nombre), u"México");

    // An edit is stored in place, under the same key and identifier.
    Write(loaded.get(), &nubex::Ciudad::put_CodigoTel, u"333");
    ASSERT_TRUE(Save(loaded.get()));
    EXPECT_EQ(Pk(loaded.get()), Pk(gdl_.get()));
    EXPECT_EQ(Guid(loaded.get()), Guid(gdl_.get()));
    // Moving the state: load another country into IPais, then store.
    ASSERT_TRUE(LoadByKey(ParentOf(jal_.get()).get(), ar));
    ASSERT_TRUE(Save(jal_.get()));
    Ref<nubex::Ciudad> reread = New<nubex::Ciudad>();
    ASSERT_TRUE(LoadByKey(reread.get(), Pk(gdl_.get()), cnn_.get()));
    EXPECT_EQ(Read(reread.get(), &nubex::Ciudad::get_CodigoTel), u"333");
    EXPECT_EQ(Pk(ParentOf(ParentOf(reread.get()).get()).get()), ar);

    EXPECT_EQ(Delete(reread.get()), S_OK);
    EXPECT_FALSE(LoadByKey(New<nubex::Ciudad>().get(), Pk(gdl_.get()), cnn_.get()));
    EXPECT_FALSE(LoadByGuid(New<nubex::Ciudad>().get(), Guid(gdl_.get()), cnn_.get()));
    const LONG jalPk = Pk(jal_.get());
    EXPECT_EQ(Delete(jal_.get()), S_OK);
    EXPECT_FALSE(LoadByKey(New<nubex::EdoProv>().get(), jalPk, cnn_.get()));
}

using RecordRules = SampleCatalogTest;

TEST_F(RecordRules, LoadOfAMissingKeyReturnsFalseAndChangesNothing) {
    nubex::EdoProv* edo = jal_.get();
    Write(edo, &nubex::EdoProv::put_Nombre, u"editado sin guardar");
    const LONG pk = Pk(edo);
    const std::u16string guid = Guid(edo);

    // Keys no row has: LevelTest.AKeyThatDoesNotLoadAnswersFalseWithNoWindowAndNoQuestion.
    EXPECT_FALSE(LoadByGuid(edo, u"no-existe", cnn_.get()));
    EXPECT_FALSE(LoadByKey(edo, 0, cnn_.get()));  // neither a key nor an identifier

    EXPECT_EQ(Pk(edo), pk);
    EXPECT_EQ(Guid(edo), guid);
    EXPECT_EQ(Read(edo, &nubex::EdoProv::get_Nombre), u"editado sin guardar");
    EXPECT_EQ(Read(ParentOf(edo).get(), &nubex::Pais::get_Nombre), u"México");
}

TEST_F(RecordRules, KeyWinsOverIdentifierWhenBothAreGiven) {
    Ref<nubex::Pais> loaded = NewPais();
    LONG pk = Pk(mx_.get());
    rt::BString guid(Guid(ar_.get()));
    nubex::Connection* cnn = cnn_.get();
    LONG mode = 1;
    VARIANT_BOOL ok = 0;
    ASSERT_EQ(loaded->LoadRecord(&pk, guid.slot(), &cnn, &mode, &ok), S_OK);
    EXPECT_EQ(ok, VARIANT_TRUE);
    EXPECT_EQ(Read(loaded.get(), &nubex::Pais::get_Codigo), u"MX");
    // A host that passes no key at all loads by the identifier.
    ASSERT_EQ(loaded->LoadRecord(nullptr, guid.slot(), &cnn, &mode, &ok), S_OK);
    EXPECT_EQ(Read(loaded.get(), &nubex::Pais::get_Codigo), u"AR");
}

TEST_F(RecordRules, ARecordWithoutAnyConnectionRefusesToWork) {
    Ref<nubex::Pais> pais = NewPais();
    EXPECT_EQ(ErrorCode(pais.get()), 0) << "a new record has no error to report";
    // Key 0 names no record, so there is nothing to refuse: False, as the edit dialogs rely on.
    EXPECT_FALSE(LoadByKey(pais.get(), 0, nullptr));
    EXPECT_EQ(TryLoadByKey(pais.get(), 1, nullptr), rt::HResultFromErrorNumber(20005));
    ExpectLastError(nubex::err::kNotConnected);
    Write(pais.get(), &nubex::Pais::put_Codigo, u"MX");
    EXPECT_FALSE(Save(pais.get()));
    EXPECT_EQ(ErrorCode(pais.get()), nubex::err::kNotConnected.number);
    EXPECT_EQ(ErrorText(pais.get()), nubex::err::kNotConnected.text);
}

TEST_F(RecordRules, ADeletedRecordKeepsItsTextsButNoLongerNamesARow) {
    nubex::Pais* pais = ar_.get();
    const LONG pk = Pk(pais);
    ASSERT_EQ(Delete(pais), S_OK);
    EXPECT_EQ(Pk(pais), 0);
    EXPECT_EQ(Guid(pais), u"");
    EXPECT_EQ(Read(pais, &nubex::Pais::get_Nombre), u"Argentina");

    // A second delete has nothing to delete; a save stores it again as a new record, under a
    // key never used before.
    EXPECT_LT(Delete(pais), 0);
    ExpectLastError(nubex::err::kNothingToDelete);
    EXPECT_EQ(ErrorCode(pais), nubex::err::kNothingToDelete.number);
    ASSERT_TRUE(Save(pais));
    EXPECT_GT(Pk(pais), pk);
}

}  // namespace
}  // namespace nubex_test
