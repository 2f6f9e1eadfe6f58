// Faults from outside the library, as a host meets them: the catalog file deleted or replaced
// while open, a writer that bypasses the library, a catalog that can be read but not written, a
// full disk and a lock held by another process. Each must end in the library's clear error, with
// nothing stored before lost and the file sound.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "fault_support.h"

namespace nubex_test {
namespace {

namespace fs = std::filesystem;

TEST(FileFaults, AStoreIntoADeletedCatalogFileFailsAndThePathIsNotMadeAgain) {
    TempFolder dir;
    const std::string path = (dir / "catalogo.db").string();
    Ref<nubex::Catalog> catalog = nubex::OpenCatalog(path, {.create = true});
    Ref<nubex::Connection> cnn = ConnectionOf(catalog.get());
    Ref<nubex::Pais> mx = AddPais(cnn.get(), u"MX", u"México");
    fs::remove(path);

    Write(mx.get(), &nubex::Pais::put_Nombre, u"Méjico");
    ExpectStoreRefused(mx.get(), nubex::err::kCatalogFileGone);
    ExpectStoreRefused(Unsaved<nubex::Pais>(cnn.get()).get(), nubex::err::kCatalogFileGone);

    EXPECT_EQ(OpenError(path).number(), nubex::err::kNoCatalogThere.number);
    EXPECT_FALSE(fs::exists(path));
}

TEST(FileFaults, AStoreIntoAReplacedCatalogFileFailsAndLeavesTheNewFileAlone) {
    TempFolder dir;
    const std::string path = (dir / "catalogo.db").string();
    const std::string replacement = (dir / "otro.db").string();
    AddPais(ConnectionOf(nubex::OpenCatalog(replacement, {.create = true}).get()).get(), u"AR",
            u"Argentina");
    const std::u16string replacementRows = Dump(replacement);
    Ref<nubex::Catalog> catalog = nubex::OpenCatalog(path, {.create = true});
    Ref<nubex::Pais> mx = AddPais(ConnectionOf(catalog.get()).get(), u"MX", u"México");
    fs::rename(replacement, path);

    Write(mx.get(), &nubex::Pais::put_Nombre, u"Méjico");
    ExpectStoreRefused(mx.get(), nubex::err::kCatalogFileGone);
    EXPECT_NE(Delete(mx.get()), S_OK);
    ExpectLastError(nubex::err::kCatalogFileGone);

    mx.reset();
    catalog.reset();
    EXPECT_EQ(Dump(path), replacementRows);
    EXPECT_EQ(IntegrityOf(path), "ok");
}

// Writers that change a row with plain SQL, leaving its version alone or setting it back.
class BypassingWriter : public FileCatalogTest,
                        public ::testing::WithParamInterface<const char*> {};

TEST_P(BypassingWriter, CannotSlipPastTheStaleEditRefusal) {
    Ref<nubex::Pais> mx = AddPais(cnn_.get(), u"MX", u"México");
    Write(mx.get(), &nubex::Pais::put_CodigoTel, u"+52");
    ASSERT_TRUE(Save(mx.get()));
    Ref<nubex::Pais> mine = NewPais();
    ASSERT_TRUE(LoadByKey(mine.get(), Pk(mx.get()), cnn_.get()));

    RawDb(path_).Exec(GetParam());
    Write(mine.get(), &nubex::Pais::put_Nombre, u"Méjico");
    // A delete goes through the same check:
    // Refusals.StaleEditIsRefusedAndTheOtherUsersChangeSurvives.
    ExpectStoreRefused(mine.get(), nubex::err::kModifiedByOther);
    EXPECT_EQ(RawDb(path_).QueryText("SELECT Nombre FROM Pais"), "Otro nombre");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BypassingWriter,
    ::testing::Values("UPDATE Pais SET Nombre = 'Otro nombre'",
                      "UPDATE Pais SET Nombre = 'Otro nombre', Sys_Version = Sys_Version",
                      "UPDATE Pais SET Nombre = 'Otro nombre', Sys_Version = 1"));

// What a host sees of a catalog it can read but not write, in a child process of an ordinary
// user: empty when all is as it should be.
std::string ReadOnlyScenario(const std::string& path) {
    Ref<nubex::Catalog> catalog;
    try {
        catalog = nubex::OpenCatalog(path);
    } catch (const rt::RuntimeError& error) {
        return "no abre: " + rt::Utf16ToUtf8(error.description());
    }
    Ref<nubex::View> countries;
    rt::Variant field(u"Nombre");
    rt::Variant name;
    if (catalog->V_Pais(countries.put()) != S_OK ||
        countries->Item(field.get(), name.put()) != S_OK || name.AsString() != u"México") {
        return "no se lee la vista";
    }
    Ref<nubex::Pais> mx = NewPais();
    if (!LoadByKey(mx.get(), 1, ConnectionOf(catalog.get()).get()))
        return "no se carga el registro";
    if (Save(mx.get()) || ErrorCode(mx.get()) != nubex::err::kReadOnlyCatalog.number) {
        return "el guardado no se rechazó como de solo lectura (" +
               std::to_string(ErrorCode(mx.get())) + ")";
    }
    if (Delete(mx.get()) == S_OK || rt::LastError().number != nubex::err::kReadOnlyCatalog.number) {
        return "el borrado no se rechazó como de solo lectura";
    }
    return "";
}

// How the catalog is made read-only: the permissions of the file and of its folder, and the file
// system remounted read-only or not.
struct ReadOnlyCase {
    const char* name;
    fs::perms file;
    fs::perms folder;
    bool fileSystem;
};

constexpr auto kReadable = fs::perms::owner_read | fs::perms::others_read;
constexpr auto kWalkable = kReadable | fs::perms::owner_exec | fs::perms::others_exec;

class ReadOnlyCatalog : public ::testing::TestWithParam<ReadOnlyCase> {};

TEST_P(ReadOnlyCatalog, OpensForReadingAndRefusesStoresAndDeletesClearly) {
    TempFolder dir;
    const fs::path folder = (dir / "catalogos").string();
    fs::create_directory(folder);
    std::optional<ScopedTmpfs> mounted;
    if (GetParam().fileSystem) {
        mounted.emplace(folder, "size=4m");
        if (!mounted->ok()) GTEST_SKIP() << mounted->why();
    }
    const std::string path = (folder / "catalogo.db").string();
    AddPais(ConnectionOf(nubex::OpenCatalog(path, {.create = true}).get()).get(), u"MX", u"México");
    const std::u16string before = Dump(path);

    // An ordinary user of the machine (root writes whatever the permissions say) may walk to it.
    fs::permissions(folder.parent_path(), fs::perms::owner_all | fs::perms::others_exec);
    fs::permissions(path, GetParam().file);
    fs::permissions(folder, GetParam().folder);
    if (mounted) {
        ASSERT_TRUE(mounted->MakeReadOnly()) << mounted->why();
    }
    EXPECT_EQ(AsOrdinaryUser([&] { return ReadOnlyScenario(path); }), "");

    if (mounted) {
        ASSERT_TRUE(mounted->MakeWritable()) << mounted->why();
    }
    fs::permissions(folder, fs::perms::all);
    EXPECT_EQ(Dump(path), before);
    EXPECT_EQ(IntegrityOf(path), "ok");
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadOnlyCatalog,
                         ::testing::Values(ReadOnlyCase{"File", kReadable, fs::perms::all, false},
                                           ReadOnlyCase{"Folder", fs::perms::all, kWalkable, false},
                                           ReadOnlyCase{"FileSystem", fs::perms::all,
                                                        fs::perms::all, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(DiskFaults, AFullDiskRefusesTheStoreAndKeepsWhatWasStored) {
    TempFolder dir;
    const fs::path folder = (dir / "lleno").string();
    fs::create_directory(folder);
    const ScopedTmpfs disk(folder, "size=1m");
    if (!disk.ok()) GTEST_SKIP() << disk.why();
    const std::string path = (folder / "catalogo.db").string();
    Ref<nubex::Catalog> catalog = nubex::OpenCatalog(path, {.create = true});
    Ref<nubex::Connection> cnn = ConnectionOf(catalog.get());
    AddPais(cnn.get(), u"MX", u"México");

    // Names of 200 kB each, until the disk cannot take one more.
    const std::u16string longName(100'000, u'x');
    std::u16string before;
    Ref<nubex::Pais> refused;
    for (int i = 0; i < 20 && !refused; ++i) {
        before = Dump(path);
        Ref<nubex::Pais> pais = Unsaved<nubex::Pais>(cnn.get());
        Write(pais.get(), &nubex::Pais::put_Codigo, u"P" + rt::Utf8ToUtf16(std::to_string(i)));
        Write(pais.get(), &nubex::Pais::put_Nombre, longName);
        if (!Save(pais.get())) refused = pais;
    }
    ASSERT_TRUE(refused) << "the disk never filled up";
    EXPECT_EQ(ErrorCode(refused.get()), nubex::err::kDatabaseError.number);
    const std::u16string text = ErrorText(refused.get());
    EXPECT_EQ(text.substr(0, nubex::err::kDatabaseError.text.size()),
              nubex::err::kDatabaseError.text);
    EXPECT_NE(text.find(u"full"), std::u16string::npos) << rt::Utf16ToUtf8(text);
    EXPECT_EQ(Dump(path), before);
    EXPECT_EQ(IntegrityOf(path), "ok");
}

// Another program holds the write lock: SQLite's BEGIN IMMEDIATE, or PostgreSQL's table lock.
class LockHeldElsewhere : public FileCatalogTest {};

TEST_F(LockHeldElsewhere, RefusesTheStoreAsBusyUntilTheOtherProcessLetsGo) {
    const LONG pk = Pk(AddPais(cnn_.get(), u"MX", u"México").get());
    Ref<nubex::Catalog> mine = nubex::OpenCatalog(path_, {.busyTimeoutMs = 200});
    Ref<nubex::Pais> mx = NewPais();
    ASSERT_TRUE(LoadByKey(mx.get(), pk, ConnectionOf(mine.get()).get()));
    Write(mx.get(), &nubex::Pais::put_Nombre, u"Méjico");

    int held[2];
    int release[2];
    ASSERT_EQ(pipe(held), 0);
    ASSERT_EQ(pipe(release), 0);
    const bool postgres = mundor::test::CurrentBackend() == mundor::test::Backend::Postgres;
    const pid_t child = fork();
    if (child == 0) {
        // A process of its own, and _exit at the end: the parent's connections are not its own.
        // It keeps only its ends of the pipes, so that the parent's closing one ends its wait.
        close(held[0]);
        close(release[1]);
        RawDb other(path_);
        other.Exec(postgres ? "BEGIN; LOCK TABLE Pais IN EXCLUSIVE MODE" : "BEGIN IMMEDIATE");
        [[maybe_unused]] const ssize_t told = write(held[1], "x", 1);
        char ignored;
        [[maybe_unused]] const ssize_t waited = read(release[0], &ignored, 1);
        _exit(0);
    }
    close(held[1]);
    close(release[0]);
    char signal;
    ASSERT_EQ(read(held[0], &signal, 1), 1);
    const std::u16string before = Dump(path_);

    ExpectStoreRefused(mx.get(), nubex::err::kBusy);
    EXPECT_EQ(Dump(path_), before);

    close(release[1]);
    close(held[0]);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(Save(mx.get()));
    EXPECT_EQ(RawDb(path_).QueryText("SELECT Nombre FROM Pais"), "Méjico");
}

}  // namespace
}  // namespace nubex_test
