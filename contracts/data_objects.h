// The data-object library as the component sees it: the catalog, its connection and views, and
// the record objects Pais, EdoProv and Ciudad. Dual interfaces (type library "Nubex" 1.13): C++
// calls the typed slots, and every member is also reachable by name through IDispatch.
//
// Conventions shared by every member: arguments go by reference, the result comes back through
// the last out-parameter, and a failure returns a failing HRESULT with the run-time error
// recorded for the caller (runtime/error.h).
#pragma once

#include "runtime/com_types.h"

namespace nubex {

inline constexpr GUID LIBID_Nubex = {
    0x2BD72C60, 0xA419, 0x46BB, {0x81, 0xF5, 0xC6, 0xDE, 0xC7, 0x2F, 0x97, 0x74}};
inline constexpr WORD kTypeLibMajor = 1;
inline constexpr WORD kTypeLibMinor = 13;

// The database connection handed from the catalog to the records. The component only passes it
// on; `Backend` says what it is connected to ("sqlite" or "postgresql").
struct Connection : IDispatch {
    static constexpr IID iid = {
        0xB65C4174, 0x9934, 0x4E7E, {0xB2, 0x80, 0x84, 0xAB, 0xE2, 0x98, 0x7C, 0x32}};
    virtual HRESULT get_Backend(BSTR* result) = 0;
};

// A forward-only row cursor. `Item` is the default member: rows("Nombre") by name.
struct View : IDispatch {
    static constexpr IID iid = {
        0xAD3E9C6F, 0x67C7, 0x4EC3, {0xB9, 0xB2, 0xE9, 0x97, 0x0F, 0x44, 0x8E, 0x2B}};
    virtual HRESULT get_EOF(VARIANT_BOOL* result) = 0;
    virtual HRESULT MoveNext() = 0;
    // A field of the current row by name ("Sys_GUID", "Nombre", "codigoTel", ...), matched
    // without regard to case. Reading past the end raises an error.
    virtual HRESULT Item(VARIANT* fieldName, VARIANT* result) = 0;
};

struct Catalog : IDispatch {
    static constexpr IID iid = {
        0x1EEC831F, 0xD50D, 0x4AA4, {0x82, 0xDE, 0x8D, 0xC1, 0x0E, 0x3C, 0x62, 0x52}};
    virtual HRESULT get_ADOCnn(Connection** result) = 0;
    virtual HRESULT V_Pais(View** result) = 0;
    virtual HRESULT V_EdoProv(LONG* Sys_PK, View** result) = 0;
    virtual HRESULT V_Ciudades(LONG* Sys_PK, View** result) = 0;
};

// What every record offers. LoadRecord loads by key when Sys_PK is not 0 and by Sys_GUID
// otherwise; an empty Cnn means the record's own connection.
struct DataRecord : IDispatch {
    static constexpr IID iid = {
        0x83D72D7E, 0xCB10, 0x4FC7, {0xAE, 0x58, 0x97, 0xC0, 0x22, 0x0B, 0x82, 0x23}};
    virtual HRESULT get_Codigo(BSTR* result) = 0;
    virtual HRESULT put_Codigo(BSTR* value) = 0;
    virtual HRESULT get_Nombre(BSTR* result) = 0;
    virtual HRESULT put_Nombre(BSTR* value) = 0;
    virtual HRESULT get_Sys_PK(LONG* result) = 0;
    virtual HRESULT get_Sys_GUID(BSTR* result) = 0;
    virtual HRESULT get_ErrorCode(LONG* result) = 0;
    virtual HRESULT get_ErrorDescription(BSTR* result) = 0;
    virtual HRESULT SetConnection(Connection** Cnn) = 0;
    virtual HRESULT NewRecord(VARIANT_BOOL* result) = 0;
    virtual HRESULT LoadRecord(LONG* Sys_PK, BSTR* Sys_GUID, Connection** Cnn, LONG* Mode,
                               VARIANT_BOOL* result) = 0;
    virtual HRESULT LoadFromADOConnection(LONG* Sys_PK, BSTR* Sys_GUID, Connection** Cnn,
                                          VARIANT_BOOL* result) = 0;
    virtual HRESULT SaveRecord(VARIANT_BOOL* result) = 0;
    virtual HRESULT DeleteRecord(VARIANT_BOOL* result) = 0;
};

struct Pais : DataRecord {
    using base = DataRecord;
    static constexpr IID iid = {
        0xD2535EF0, 0x394B, 0x4143, {0xBE, 0xAC, 0x86, 0x7D, 0x4C, 0x31, 0xCE, 0x24}};
    virtual HRESULT get_CodigoTel(BSTR* result) = 0;
    virtual HRESULT put_CodigoTel(BSTR* value) = 0;
};

struct EdoProv : DataRecord {
    using base = DataRecord;
    static constexpr IID iid = {
        0xA5FDD91A, 0xB695, 0x4D6A, {0xA1, 0x19, 0xEF, 0x77, 0x0E, 0x9C, 0xC6, 0x62}};
    // The parent country record, the same object on every read.
    virtual HRESULT get_IPais(Pais** result) = 0;
};

struct Ciudad : DataRecord {
    using base = DataRecord;
    static constexpr IID iid = {
        0x49DCA8CA, 0x76E0, 0x4137, {0x97, 0x9F, 0xE0, 0xDA, 0xDD, 0xD8, 0x23, 0xAE}};
    virtual HRESULT get_CodigoTel(BSTR* result) = 0;
    virtual HRESULT put_CodigoTel(BSTR* value) = 0;
    // The parent state record, the same object on every read.
    virtual HRESULT get_Estado(EdoProv** result) = 0;
};

// Creatable classes of the library.
inline constexpr CLSID CLSID_Catalog = {
    0x7E33B9A5, 0xBCA7, 0x4BD6, {0x81, 0x89, 0xC8, 0x4D, 0x13, 0x39, 0x0F, 0x43}};
inline constexpr CLSID CLSID_Pais = {
    0x19C1D5CD, 0x191F, 0x454E, {0xBE, 0xB4, 0x1A, 0x66, 0xD7, 0x6A, 0x45, 0x4D}};
inline constexpr CLSID CLSID_EdoProv = {
    0xAD036E9B, 0xAED9, 0x4505, {0xAF, 0xF1, 0xF4, 0x7E, 0xE4, 0x00, 0x3A, 0x7A}};
inline constexpr CLSID CLSID_Ciudad = {
    0xFDFA56A8, 0xF23A, 0x4F6F, {0x95, 0x03, 0x6E, 0xE2, 0x96, 0xE6, 0xA4, 0xF5}};

inline constexpr const char* kProgIdCatalog = "Nubex.Catalog";
inline constexpr const char* kProgIdPais = "Nubex.Pais";
inline constexpr const char* kProgIdEdoProv = "Nubex.EdoProv";
inline constexpr const char* kProgIdCiudad = "Nubex.Ciudad";

}  // namespace nubex
