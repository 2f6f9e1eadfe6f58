// A host's setting for end-to-end tests: the component created through its class factory, a
// real catalog of nubex of the test's own (SQLite or PostgreSQL: support/catalog_backends.h),
// and the headless toolkit with a scripted user installed on the test's thread.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalog_backends.h"
#include "contracts/data_objects.h"
#include "facade/mundor_client.h"
#include "ui/headless/headless_toolkit.h"

namespace mundor::testing {

class ComponentTest : public ::testing::Test {
  protected:
    ComponentTest();
    ~ComponentTest() override;

    // A new MundorFx, as any host gets it from the library's class factory.
    static MundorClient NewFacade();

    // Stores records through the data-object library and returns them loaded.
    rt::Ref<nubex::Pais> AddPais(std::u16string_view codigo, std::u16string_view nombre,
                                 std::u16string_view codigoTel = u"52");
    rt::Ref<nubex::EdoProv> AddEdoProv(const rt::Ref<nubex::Pais>& pais, std::u16string_view codigo,
                                       std::u16string_view nombre);
    rt::Ref<nubex::Ciudad> AddCiudad(const rt::Ref<nubex::EdoProv>& estado,
                                     std::u16string_view codigo, std::u16string_view nombre);

    // A fresh record of that level loaded by key; empty when the key no longer loads.
    template <class Record>
    rt::Ref<Record> Load(const CLSID& recordClass, LONG key);
    bool PaisExists(LONG key) {
        return static_cast<bool>(Load<nubex::Pais>(nubex::CLSID_Pais, key));
    }
    bool EdoProvExists(LONG key) {
        return static_cast<bool>(Load<nubex::EdoProv>(nubex::CLSID_EdoProv, key));
    }
    bool CiudadExists(LONG key) {
        return static_cast<bool>(Load<nubex::Ciudad>(nubex::CLSID_Ciudad, key));
    }
    static LONG KeyOf(nubex::DataRecord* record);
    // The catalog's connection, which the records above are stored through.
    nubex::Connection* Cnn();

    // What the user saw: every message box, in order.
    std::vector<ui::headless::MessageBoxShown> Boxes() const;
    std::string Screen() const;  // the transcript as text, for failure messages

    mundor::test::ScratchCatalog scratch_;
    rt::Ref<nubex::Catalog> catalog_;
    ui::headless::HeadlessToolkit toolkit_;
    ui::ScopedThreadToolkit installed_{toolkit_};
    MundorClient fx_;
    rt::Ref<nubex::Connection> cnn_;
};

}  // namespace mundor::testing
