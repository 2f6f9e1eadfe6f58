// A catalog made for the browser benchmarks: one country ("SysPAIS") with a state per size
// asked for (kStateSizes), each holding that many cities whose names come in shuffled order, so
// that the view's name order has real sorting to do. Open through the data-object library and
// through a plain SQLite connection, which also gives the floor: the same fields of the same rows.
#pragma once

#include <sqlite3.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "contracts/data_objects.h"
#include "runtime/ref.h"
#include "support/scratch_dir.h"

namespace mundor::bench {

// The smallest is for the smoke run that keeps the programs working; the others span twenty
// times as many cities, so that "us_per_city" shows whether the cost grows with the size alone.
inline constexpr std::array<int, 5> kStateSizes = {1'000, 10'000, 50'000, 100'000, 200'000};
inline constexpr char16_t kCountryKey[] = u"SysPAIS";

class CitiesCatalog {
  public:
    // Made once per program, on first use.
    static CitiesCatalog& Get();

    const rt::Ref<nubex::Catalog>& catalog() const { return catalog_; }
    // The state of that many cities (made on first use): its Sys_PK, its tree key and the name
    // its node shows.
    LONG StatePk(int size);
    std::u16string StateKey(int size);
    static std::u16string StateName(int size);

    // The floor: Sys_GUID and Nombre of the state's cities, read with a raw prepared statement
    // in the view's order, from the same index, on a connection with the library's settings.
    std::size_t ReadCitiesRaw(LONG statePk) const;
    // The same rows, kept: for measuring what is done with them apart from reading them.
    struct CityRow {
        std::u16string guid;
        std::u16string nombre;
    };
    std::vector<CityRow> ReadCityRows(LONG statePk) const;

  private:
    CitiesCatalog();
    ~CitiesCatalog();
    LONG GenerateState(int size);

    ScratchDir dir_;
    rt::Ref<nubex::Catalog> catalog_;
    sqlite3* raw_ = nullptr;
    std::map<int, LONG> statePkBySize_;
};

}  // namespace mundor::bench
