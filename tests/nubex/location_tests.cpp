// Which engine a catalog location names, and how it is shown: never with its password.
#include <gtest/gtest.h>

#include "nubex/backend/location.h"

namespace {

using nubex::db::Engine;

struct LocationCase {
    const char* location;
    Engine engine;
    const char* shown;  // what Describe gives, or a part of it for PostgreSQL
};

const LocationCase kLocations[] = {
    {"/home/ana/mundor/catalog.db", Engine::Sqlite, "/home/ana/mundor/catalog.db"},
    {":memory:", Engine::Sqlite, ":memory:"},
    {"./dbname=raro.db", Engine::Sqlite, "./dbname=raro.db"},
    {"postgres://ana@db.ejemplo.com/mundor?password=s3creta", Engine::Postgres,
     "PostgreSQL ana@db.ejemplo.com"},
    {"host=db.ejemplo.com user=ana password=s3creta dbname=mundor", Engine::Postgres,
     "PostgreSQL ana@db.ejemplo.com"},
    {" dbname = mundor password='s3creta'", Engine::Postgres, "/mundor"},
    {"host=127.0.0.1 dbname=mundor options='-csearch_path=sucursal_norte'", Engine::Postgres,
     "/mundor (esquema sucursal_norte)"},
    {"service=mundor", Engine::Postgres, "(servicio mundor)"},
};

class Location : public ::testing::TestWithParam<LocationCase> {};

INSTANTIATE_TEST_SUITE_P(Forms, Location, ::testing::ValuesIn(kLocations));

TEST_P(Location, NamesItsEngineAndIsShownWithoutThePassword) {
    const LocationCase& given = GetParam();
    EXPECT_EQ(nubex::db::EngineOf(given.location), given.engine);
    const std::string shown = nubex::db::Describe(given.location);
    EXPECT_NE(shown.find(given.shown), std::string::npos) << shown;
    EXPECT_EQ(shown.find("s3creta"), std::string::npos) << shown;
}

}  // namespace
