// A real catalog of the test's own (SQLite or PostgreSQL: support/catalog_backends.h), with
// short ways to store countries, states and cities: through the data-object library as any host
// would, or with the engine itself when the test chooses a row's Sys_GUID.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalog_backends.h"
#include "contracts/data_objects.h"
#include "runtime/com_types.h"
#include "runtime/ref.h"

namespace browser_test {

struct Stored {
    LONG pk = 0;
    std::u16string guid;
};

// A row of a view: its Sys_PK, Sys_GUID and Nombre.
struct Named {
    LONG pk = 0;
    std::u16string guid;
    std::u16string nombre;
    bool operator==(const Named&) const = default;
};

enum class Identifiers {
    Unique,     // the library's own schema
    NotUnique,  // the same schema without the unique Sys_GUID: an older or hand-edited catalog
};

class TestCatalog {
  public:
    explicit TestCatalog(Identifiers identifiers = Identifiers::Unique);
    TestCatalog(const TestCatalog&) = delete;
    TestCatalog& operator=(const TestCatalog&) = delete;

    const mundor::rt::Ref<nubex::Catalog>& catalog() const { return catalog_; }

    Stored AddPais(std::u16string_view codigo, std::u16string_view nombre,
                   std::u16string_view codigoTel);
    Stored AddEdoProv(LONG paisPk, std::u16string_view codigo, std::u16string_view nombre);
    Stored AddCiudad(LONG edoProvPk, std::u16string_view codigo, std::u16string_view nombre,
                     std::u16string_view codigoTel = u"");

    // Rows with a Sys_GUID of the test's choosing; parents are named by their Sys_GUID.
    void InsertPais(std::u16string_view guid, std::u16string_view nombre,
                    std::u16string_view codigoTel);
    void InsertEdoProv(std::u16string_view paisGuid, std::u16string_view guid,
                       std::u16string_view nombre);
    void InsertCiudad(std::u16string_view edoProvGuid, std::u16string_view guid,
                      std::u16string_view nombre);

    // The rows of V_Pais, V_EdoProv(country) and V_Ciudades(state), in the view's own order.
    std::vector<Named> Countries() const;
    std::vector<Named> StatesOf(LONG paisPk) const;
    std::vector<Named> CitiesOf(LONG edoProvPk) const;

  private:
    void ExecuteSql(const char* sql, const std::vector<std::u16string_view>& texts);

    // Released in reverse: the connection and the catalog before the scratch catalog goes.
    mundor::test::ScratchCatalog scratch_;
    mundor::rt::Ref<nubex::Catalog> catalog_;
    mundor::rt::Ref<nubex::Connection> connection_;
};

}  // namespace browser_test
