// Two users of one catalog: neither loses an update silently, and a writer kept out by another
// gets a clear refusal once the busy timeout has passed, not a hang.
#include <chrono>

#include "test_support.h"

namespace nubex_test {
namespace {

class TwoUsers : public FileCatalogTest {
  protected:
    TwoUsers()
        : other_(nubex::OpenCatalog(path_, {.busyTimeoutMs = 100})),
          otherCnn_(ConnectionOf(other_.get())) {}
    Ref<nubex::Catalog> other_;
    Ref<nubex::Connection> otherCnn_;
};

TEST_F(TwoUsers, ConcurrentEditsOfOneRecordDoNotLoseAnUpdate) {
    const LONG pk = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
    Ref<nubex::Pais> mine = NewPais();
    Ref<nubex::Pais> theirs = NewPais();
    ASSERT_TRUE(LoadByKey(mine.get(), pk, cnn_.get()));
    ASSERT_TRUE(LoadByKey(theirs.get(), pk, otherCnn_.get()));

    Write(theirs.get(), &nubex::Pais::put_CodigoTel, u"+52");
    ASSERT_TRUE(Save(theirs.get()));
    Write(mine.get(), &nubex::Pais::put_Nombre, u"Méjico");
    EXPECT_FALSE(Save(mine.get()));
    EXPECT_EQ(ErrorCode(mine.get()), nubex::err::kModifiedByOther.number);

    Ref<nubex::Pais> stored = NewPais();
    ASSERT_TRUE(LoadByKey(stored.get(), pk, cnn_.get()));
    EXPECT_EQ(Read(stored.get(), &nubex::Pais::get_CodigoTel), u"+52");
    EXPECT_EQ(Read(stored.get(), &nubex::Pais::get_Nombre), u"México");
}

TEST_F(TwoUsers, AWriterKeptOutByAnotherIsRefusedAsBusyAndReadersCarryOn) {
    Ref<nubex::Pais> mx = AddPais(cnn_.get(), u"MX", u"México");
    Ref<nubex::Pais> mine = NewPais();
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx.get()), otherCnn_.get()));
    const std::u16string before = Dump(path_);

    RawDb holder(path_);
    holder.Exec("BEGIN");
    holder.Exec("UPDATE Pais SET Nombre = 'sin confirmar'");

    Write(mine.get(), &nubex::Pais::put_Nombre, u"Méjico");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Save(mine.get()));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(ErrorCode(mine.get()), nubex::err::kBusy.number);
    EXPECT_EQ(ErrorText(mine.get()), nubex::err::kBusy.text);
    // Bounded by the 100 ms the connection was given, not by the 5 s default.
    EXPECT_LT(waited, std::chrono::seconds(3));

    EXPECT_LT(Delete(mine.get()), 0);
    ExpectLastError(nubex::err::kBusy);
    Ref<nubex::Pais> added = NewPais();
    nubex::Connection* cnn = otherCnn_.get();
    ASSERT_EQ(added->SetConnection(&cnn), S_OK);
    EXPECT_FALSE(Save(added.get()));
    EXPECT_EQ(Pk(added.get()), 0);

    // Readers are not blocked, and see the last committed state.
    Ref<nubex::Pais> reader = NewPais();
    ASSERT_TRUE(LoadByKey(reader.get(), Pk(mx.get()), otherCnn_.get()));
    EXPECT_EQ(Read(reader.get(), &nubex::Pais::get_Nombre), u"México");

    holder.Exec("ROLLBACK");
    EXPECT_EQ(Dump(path_), before);
    EXPECT_TRUE(Save(mine.get()));
    EXPECT_EQ(ErrorCode(mine.get()), 0);
}

}  // namespace
}  // namespace nubex_test
