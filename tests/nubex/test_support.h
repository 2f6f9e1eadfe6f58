// Shared helpers for the nubex tests (and the fault, facade and browser suites): a catalog of
// the test's own on the process's backend (SQLite or PostgreSQL, support/catalog_backends.h), a
// plain connection to it with an exact dump, and short forms of the typed record calls.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "catalog_backends.h"
#include "contracts/data_objects.h"
#include "nubex/errors.h"
#include "nubex/nubex.h"
#include "runtime/bstr.h"
#include "runtime/error.h"
#include "runtime/ref.h"
#include "runtime/registry.h"
#include "runtime/variant.h"
#include "temp_folder.h"

namespace nubex_test {

namespace rt = mundor::rt;
using rt::Ref;

using mundor::test::TempFolder;

// A plain connection to a catalog (a file, created when missing, or a PostgreSQL schema), as
// another program would have.
using RawDb = mundor::test::RawCatalog;

// Every row of every table of the catalog, text compared code unit by code unit.
inline std::u16string Dump(const std::string& location) {
    return RawDb(location).Dump();
}

// Record objects as hosts create them: through the runtime's class registry.
template <class T>
Ref<T> New() {
    using nubex::CLSID_Ciudad, nubex::CLSID_EdoProv, nubex::CLSID_Pais;
    return rt::CreateInstance<T>(std::is_same_v<T, nubex::Pais>      ? CLSID_Pais
                                 : std::is_same_v<T, nubex::EdoProv> ? CLSID_EdoProv
                                                                     : CLSID_Ciudad);
}
inline Ref<nubex::Pais> NewPais() {
    return New<nubex::Pais>();
}
Ref<nubex::Connection> ConnectionOf(nubex::Catalog* catalog);

// The parent record a state (IPais) or a city (Estado) holds.
Ref<nubex::Pais> ParentOf(nubex::EdoProv* edo);
Ref<nubex::EdoProv> ParentOf(nubex::Ciudad* ciudad);

// Typed property access.
template <class Obj, class Base>
std::u16string Read(Obj* object, HRESULT (Base::*getter)(BSTR*)) {
    rt::BString out;
    EXPECT_EQ((object->*getter)(out.put()), S_OK);
    return out.str();
}
template <class Obj, class Base>
void Write(Obj* object, HRESULT (Base::*setter)(BSTR*), std::u16string_view text) {
    rt::BString value(text);
    EXPECT_EQ((object->*setter)(value.slot()), S_OK);
}

LONG Pk(nubex::DataRecord* record);
std::u16string Guid(nubex::DataRecord* record);
LONG ErrorCode(nubex::DataRecord* record);
std::u16string ErrorText(nubex::DataRecord* record);

// Operations; the Boolean result, with the call itself expected to succeed.
bool Save(nubex::DataRecord* record);
bool LoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn = nullptr);
bool LoadByGuid(nubex::DataRecord* record, std::u16string_view guid,
                nubex::Connection* cnn = nullptr);
// The HRESULT of DeleteRecord (and of the others below), for refusals that raise.
HRESULT Delete(nubex::DataRecord* record);
HRESULT TryLoadByKey(nubex::DataRecord* record, LONG pk, nubex::Connection* cnn,
                     bool* found = nullptr);

// The raised error after a failed typed call.
void ExpectLastError(const nubex::err::ErrorText& expected);
// The error OpenCatalog (without creating) raises; the test fails when the catalog opens.
rt::RuntimeError OpenError(const std::string& location);
// SaveRecord answers False with the error's number and text in the record.
void ExpectStoreRefused(nubex::DataRecord* record, const nubex::err::ErrorText& error);

// A record not stored yet, on `cnn`; a state or a city with the parent of key parentPk loaded
// as the dialogs do it (none when 0).
template <class T>
Ref<T> Unsaved(nubex::Connection* cnn, LONG parentPk = 0) {
    Ref<T> record = New<T>();
    EXPECT_EQ(record->SetConnection(&cnn), S_OK);
    if constexpr (!std::is_same_v<T, nubex::Pais>) {
        if (parentPk != 0) {
            EXPECT_TRUE(LoadByKey(ParentOf(record.get()).get(), parentPk));
        }
    }
    return record;
}

// Stored records in a few lines.
Ref<nubex::Pais> AddPais(nubex::Connection* cnn, std::u16string_view codigo,
                         std::u16string_view nombre, std::u16string_view codigoTel = u"52");
Ref<nubex::EdoProv> AddEdoProv(nubex::Connection* cnn, LONG paisPk, std::u16string_view codigo,
                               std::u16string_view nombre);
Ref<nubex::Ciudad> AddCiudad(nubex::Connection* cnn, LONG edoProvPk, std::u16string_view codigo,
                             std::u16string_view nombre, std::u16string_view codigoTel = u"33");

// A catalog of the test's own on the process's backend, with its connection. path_ is its
// location: a file's path or a PostgreSQL conninfo.
class FileCatalogTest : public ::testing::Test {
  protected:
    FileCatalogTest();
    mundor::test::ScratchCatalog scratch_;
    std::string path_;
    Ref<nubex::Catalog> catalog_;
    Ref<nubex::Connection> cnn_;
};

// The same, holding México (MX) with its state Jalisco (JAL) and the city Guadalajara (GDL,
// area code 33) there, and Argentina (AR) with nothing under it.
class SampleCatalogTest : public FileCatalogTest {
  protected:
    Ref<nubex::Pais> mx_ = AddPais(cnn_.get(), u"MX", u"México");
    Ref<nubex::Pais> ar_ = AddPais(cnn_.get(), u"AR", u"Argentina");
    Ref<nubex::EdoProv> jal_ = AddEdoProv(cnn_.get(), Pk(mx_.get()), u"JAL", u"Jalisco");
    Ref<nubex::Ciudad> gdl_ = AddCiudad(cnn_.get(), Pk(jal_.get()), u"GDL", u"Guadalajara");
};

}  // namespace nubex_test
