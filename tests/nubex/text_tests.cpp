// Texts come back exactly as they were given: every UTF-16 code unit, through a store and a
// load, through a view, through the search, and through a catalog reopened. What PostgreSQL text
// cannot hold (a NUL, an unpaired surrogate) is refused with its own error, never changed on the
// way.
#include "nubex/search.h"
#include "test_support.h"

namespace nubex_test {
namespace {

struct HostileText {
    const char* label;
    std::u16string text;
    bool serverHoldsIt = true;  // PostgreSQL text holds no NUL and no unpaired surrogate
    bool hasWords = true;       // letters or digits for the search to find it by
};

std::u16string LongName() {
    std::u16string text;
    for (int i = 0; i < 20000; ++i) text += u"Ñandú 🌎 ";
    return text;
}

const HostileText kTexts[] = {
    {"NonBmp", u"𝔐𝔲𝔫𝔡𝔬 🌎🇲🇽 𠜎𠜱"},
    {"EmbeddedNul", std::u16string(u"antes\0después", 13), false},
    // SQLite reads a high surrogate and the unit after it as one character: its index never
    // sees the "a".
    {"LoneSurrogates", std::u16string{0xD800, u'a', 0xDC00, 0xDBFF}, false, false},
    {"ByteOrderMarkFirst", u"\uFEFFMarca"},
    {"ReversedByteOrderMarkFirst", u"\uFFFEMarca"},
    {"TwoByteOrderMarks", u"\uFEFF\uFEFF", true, false},
    // Accents, blanks and empty texts go through every dialog, tree and search pane test; quotes
    // and SQL through Search.TextsThatLookLikeQuerySyntaxAreJustWords and the Search fixture's
    // O'Higgins, stored and shown exactly.
    {"Long", LongName()},
};

class Texts : public FileCatalogTest, public ::testing::WithParamInterface<HostileText> {
  protected:
    bool RefusedByTheServer() const {
        return mundor::test::CurrentBackend() == mundor::test::Backend::Postgres &&
               !GetParam().serverHoldsIt;
    }
    // Such a text is refused clearly, in any field of any record, and nothing is written.
    void ExpectRefused(const std::u16string& text) {
        const LONG pk = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
        const std::u16string before = Dump(path_);
        Ref<nubex::Pais> pais = NewPais();
        ASSERT_TRUE(LoadByKey(pais.get(), pk, cnn_.get()));
        Write(pais.get(), &nubex::Pais::put_CodigoTel, text);
        ExpectStoreRefused(pais.get(), nubex::err::kUnstorableText);
        Ref<nubex::EdoProv> edo = Unsaved<nubex::EdoProv>(cnn_.get(), pk);
        Write(edo.get(), &nubex::EdoProv::put_Nombre, text);
        ExpectStoreRefused(edo.get(), nubex::err::kUnstorableText);
        EXPECT_EQ(Dump(path_), before);
    }
};

INSTANTIATE_TEST_SUITE_P(Hostile, Texts, ::testing::ValuesIn(kTexts),
                         [](const auto& test) { return test.param.label; });

TEST_P(Texts, SurviveStoreLoadReopenAViewAndTheSearch) {
    const std::u16string& text = GetParam().text;
    if (RefusedByTheServer()) return ExpectRefused(text);
    Ref<nubex::Pais> pais = AddPais(cnn_.get(), text, text, text);
    const LONG pk = Pk(pais.get());
    Ref<nubex::Ciudad> ciudad =
        AddCiudad(cnn_.get(), Pk(AddEdoProv(cnn_.get(), pk, text, text).get()), text, text, text);

    Ref<nubex::Pais> loaded = NewPais();
    ASSERT_TRUE(LoadByKey(loaded.get(), pk, cnn_.get()));
    EXPECT_EQ(Read(loaded.get(), &nubex::Pais::get_Codigo), text);
    EXPECT_EQ(Read(loaded.get(), &nubex::Pais::get_Nombre), text);
    EXPECT_EQ(Read(loaded.get(), &nubex::Pais::get_CodigoTel), text);

    cnn_.reset();
    catalog_ = nubex::OpenCatalog(path_);
    Ref<nubex::Ciudad> reopened = New<nubex::Ciudad>();
    ASSERT_TRUE(LoadByGuid(reopened.get(), Guid(ciudad.get()), ConnectionOf(catalog_.get()).get()));
    EXPECT_EQ(Read(reopened.get(), &nubex::Ciudad::get_Nombre), text);
    EXPECT_EQ(Read(reopened.get(), &nubex::Ciudad::get_CodigoTel), text);
    EXPECT_EQ(Read(ParentOf(reopened.get()).get(), &nubex::EdoProv::get_Codigo), text);

    Ref<nubex::View> rows;
    ASSERT_EQ(catalog_->V_Pais(rows.put()), S_OK);
    for (const char16_t* field : {u"Nombre", u"codigoTel"}) {
        rt::Variant name(field);
        rt::Variant value;
        ASSERT_EQ(rows->Item(name.get(), value.put()), S_OK);
        EXPECT_EQ(value.AsString(), text);
    }
    // The text itself finds its three places, by the words of its first 100 characters.
    const std::vector<nubex::SearchHit> hits = nubex::Search(catalog_.get(), text);
    EXPECT_EQ(hits.size(), GetParam().hasWords ? 3u : 0u);
    for (const nubex::SearchHit& hit : hits) EXPECT_EQ(hit.nombre, text);
}

}  // namespace
}  // namespace nubex_test
