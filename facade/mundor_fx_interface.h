// The public face of the component for C++ hosts: the dual interface `_MundorFx` with its slots
// in their fixed order, and the identifiers of the class, the interface and the type library.
// Mundor.idl beside this file describes the same interface for any COM-style client.
#pragma once

#include "contracts/data_objects.h"
#include "runtime/com_types.h"

namespace mundor {

inline constexpr GUID LIBID_Mundor = {
    0xC8185A22, 0xBEE1, 0x4DE2, {0xAF, 0xC4, 0xFF, 0x1C, 0xB7, 0xF5, 0x2E, 0xA5}};
inline constexpr CLSID CLSID_MundorFx = {
    0xE00B7085, 0xB889, 0x41DD, {0xB4, 0x59, 0x0F, 0xAC, 0x14, 0x80, 0xF3, 0xFB}};
inline constexpr const char* kProgIdMundorFx = "Mundor.MundorFx";

// Every parameter goes by reference; a null pointer for an optional parameter stands for an
// omitted argument and takes the parameter's default. The result is the last parameter.
struct _MundorFx : IDispatch {
    static constexpr IID iid = {
        0x2F5302AD, 0xE107, 0x42A5, {0x86, 0xB3, 0x82, 0x19, 0x2C, 0x89, 0x02, 0x97}};

    virtual HRESULT get_LastErrorCode(LONG* result) = 0;
    virtual HRESULT put_LastErrorCode(LONG* value) = 0;
    virtual HRESULT get_LastErrorDescrip(BSTR* result) = 0;
    virtual HRESULT put_LastErrorDescrip(BSTR* value) = 0;
    virtual HRESULT get_DataObjects(nubex::Catalog** result) = 0;
    virtual HRESULT DelCiudad(nubex::Ciudad** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT DelCiudad_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgCiudad(nubex::Ciudad** Obj, LONG* FkEstado, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgCiudad_BySysPK(LONG* Sys_PK, VARIANT* result) = 0;
    virtual HRESULT DelEdoProv(nubex::EdoProv** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT DelEdoProv_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgEdoProv(nubex::EdoProv** Obj, LONG* Fk, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgEdoProv_BySysPK(LONG* Sys_PK, VARIANT* result) = 0;
    virtual HRESULT DelPais(nubex::Pais** Obj, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT DelPais_BySysPK(LONG* Sys_PK, VARIANT_BOOL* Ask, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgPais(nubex::Pais** Obj, VARIANT_BOOL* result) = 0;
    virtual HRESULT dlgPais_BySysPK(LONG* Sys_PK, VARIANT* result) = 0;
    virtual HRESULT ExplorerCountry() = 0;
    virtual HRESULT SetDataObjects(nubex::Catalog** NewValue) = 0;
};

// Dispatch identifiers; a property's read and write share one.
namespace dispid {
inline constexpr DISPID LastErrorCode = 1;
inline constexpr DISPID LastErrorDescrip = 2;
inline constexpr DISPID DataObjects = 3;
inline constexpr DISPID DelCiudad = 4;
inline constexpr DISPID DelCiudad_BySysPK = 5;
inline constexpr DISPID dlgCiudad = 6;
inline constexpr DISPID dlgCiudad_BySysPK = 7;
inline constexpr DISPID DelEdoProv = 8;
inline constexpr DISPID DelEdoProv_BySysPK = 9;
inline constexpr DISPID dlgEdoProv = 10;
inline constexpr DISPID dlgEdoProv_BySysPK = 11;
inline constexpr DISPID DelPais = 12;
inline constexpr DISPID DelPais_BySysPK = 13;
inline constexpr DISPID dlgPais = 14;
inline constexpr DISPID dlgPais_BySysPK = 15;
inline constexpr DISPID ExplorerCountry = 16;
inline constexpr DISPID SetDataObjects = 17;
}  // namespace dispid

}  // namespace mundor
