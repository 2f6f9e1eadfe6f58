// What only a catalog on a PostgreSQL server does: its schema and version, the ways to name the
// server (URI, key/value conninfo, libpq's environment), a server that cannot be reached and a
// connection the server drops. These run in the PostgreSQL pass only (tests/CMakeLists.txt).
#include <libpq-fe.h>
#include <stdlib.h>
#include <unistd.h>

#include <map>
#include <memory>
#include <random>

#include "nubex/pg/schema.h"
#include "test_support.h"

namespace nubex_test {
namespace {

using PostgresCatalog = FileCatalogTest;

// Sets environment variables for the test's duration, and removes them afterwards.
struct ScopedEnvironment {
    void Set(const std::string& name, const std::string& value) {
        setenv(name.c_str(), value.c_str(), 1);
        names.push_back(name);
    }
    ~ScopedEnvironment() {
        for (const std::string& name : names) unsetenv(name.c_str());
    }
    std::vector<std::string> names;
};

// The keyword/value pairs a conninfo sets.
std::map<std::string, std::string> Settings(const std::string& conninfo) {
    std::map<std::string, std::string> settings;
    std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)> options(
        PQconninfoParse(conninfo.c_str(), nullptr), &PQconninfoFree);
    for (auto* option = options.get(); option && option->keyword; ++option) {
        if (option->val) settings[option->keyword] = option->val;
    }
    return settings;
}

// Its collation sorts as SQLite's does: PostgresWorld.BothEnginesListFoldAndFindTheWholeWorldAlike.
TEST_F(PostgresCatalog, ANewSchemaGetsTheVersionAndOpeningItAgainChangesNothing) {
    EXPECT_EQ(RawDb(path_).QueryInt("SELECT Version FROM Nubex_Esquema"),
              nubex::pg::kSchemaVersion);
    // Opening it again checks it and changes nothing.
    AddPais(cnn_.get(), u"MX", u"México");
    const std::u16string before = Dump(path_);
    nubex::OpenCatalog(path_);
    EXPECT_EQ(Dump(path_), before);
}

TEST(PostgresOpening, SchemasThatAreNotCatalogsAreRefusedAndLeftAlone) {
    const mundor::test::ScratchCatalog other;
    RawDb(other.location())
        .Exec("CREATE TABLE Clientes (Id integer); INSERT INTO Clientes VALUES (7)");
    const rt::RuntimeError foreign = OpenError(other.location());
    EXPECT_EQ(foreign.number(), nubex::err::kNotACatalogSchema.number);
    EXPECT_EQ(foreign.description(), nubex::err::kNotACatalogSchema.text);
    EXPECT_EQ(RawDb(other.location())
                  .QueryInt("SELECT count(*) FROM pg_tables WHERE schemaname = current_schema()"),
              1);

    const mundor::test::ScratchCatalog newer;
    nubex::OpenCatalog(newer.location(), {.create = true});
    RawDb(newer.location())
        .Exec("UPDATE Nubex_Esquema SET Version = " +
              std::to_string(nubex::pg::kSchemaVersion + 1));
    EXPECT_EQ(OpenError(newer.location()).number(), nubex::err::kNewerCatalog.number);
}

// A URI's password: HostProgramTest.ACatalogThatCannotBeOpenedEndsTheRunWithItsReason.
TEST(PostgresOpening, AServerThatCannotBeReachedIsToldWithItsMessageAndNeverThePassword) {
    const rt::RuntimeError error = OpenError(
        "host=127.0.0.1 port=1 user=ana password=s3creta dbname=mundor connect_timeout=3");
    EXPECT_EQ(error.number(), nubex::err::kCannotOpen.number);
    EXPECT_TRUE(error.description().starts_with(nubex::err::kCannotOpen.text));
    // libpq's own words follow, naming where it tried.
    EXPECT_NE(error.description().find(u"127.0.0.1"), std::u16string::npos)
        << rt::Utf16ToUtf8(error.description());
    EXPECT_EQ(error.description().find(u"s3creta"), std::u16string::npos);
}

TEST_F(PostgresCatalog, AUriAndLibpqsEnvironmentNameTheSameCatalog) {
    const LONG pk = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
    auto settings = Settings(mundor::test::ServerConninfo());
    ScopedEnvironment environment;
    const std::pair<const char*, const char*> variables[] = {
        {"host", "PGHOST"}, {"port", "PGPORT"}, {"user", "PGUSER"}, {"dbname", "PGDATABASE"}};
    for (const auto& [keyword, variable] : variables) {
        if (!settings[keyword].empty()) environment.Set(variable, settings[keyword]);
    }
    environment.Set("PGOPTIONS", Settings(path_)["options"]);

    Ref<nubex::Catalog> byEnvironment = nubex::OpenCatalog("postgresql://");
    Ref<nubex::Pais> pais = NewPais();
    ASSERT_TRUE(LoadByKey(pais.get(), pk, ConnectionOf(byEnvironment.get()).get()));
    EXPECT_EQ(Read(pais.get(), &nubex::Pais::get_Nombre), u"México");
}

TEST_F(PostgresCatalog, ADroppedConnectionFailsOneOperationClearlyAndTheNextReconnects) {
    // Unique among every test process on the server: other builds' suites run there too.
    const std::string name =
        "nubex_drop_" + std::to_string(getpid()) + "_" + std::to_string(std::random_device{}());
    Ref<nubex::Catalog> catalog;
    {
        ScopedEnvironment environment;
        environment.Set("PGAPPNAME", name);
        catalog = nubex::OpenCatalog(path_);
    }
    Ref<nubex::Connection> cnn = ConnectionOf(catalog.get());
    Ref<nubex::Pais> pais = AddPais(cnn.get(), u"MX", u"México");
    const std::u16string before = Dump(path_);

    // What a restart does to every open connection.
    RawDb(path_).Exec(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
        "application_name = ?1",
        {name});
    Write(pais.get(), &nubex::Pais::put_Nombre, u"Estados Unidos Mexicanos");
    EXPECT_FALSE(Save(pais.get()));
    EXPECT_EQ(ErrorCode(pais.get()), nubex::err::kConnectionLost.number);
    const std::u16string told = ErrorText(pais.get());
    EXPECT_TRUE(told.starts_with(nubex::err::kConnectionLost.text)) << rt::Utf16ToUtf8(told);
    EXPECT_GT(told.size(), nubex::err::kConnectionLost.text.size()) << "no server message";
    EXPECT_EQ(Dump(path_), before);

    EXPECT_TRUE(Save(pais.get())) << rt::Utf16ToUtf8(ErrorText(pais.get()));
    Ref<nubex::Pais> reread = NewPais();
    ASSERT_TRUE(LoadByKey(reread.get(), Pk(pais.get()), cnn.get()));
    EXPECT_EQ(Read(reread.get(), &nubex::Pais::get_Nombre), u"Estados Unidos Mexicanos");
}

}  // namespace
}  // namespace nubex_test
