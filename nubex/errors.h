// Every error the data-object library reports, with its number and its Spanish text.
//
// A store that the data refuses answers False and leaves the number and text in the record's
// ErrorCode and ErrorDescription. A refused delete and any other failed operation raise them as
// a run-time error (the record's ErrorCode and ErrorDescription hold them too). The number says
// what happened; the text also names the kind of record.
#pragma once

#include <string_view>

#include "runtime/com_types.h"

namespace nubex::err {

struct ErrorText {
    LONG number;
    std::u16string_view text;
};

// Opening a catalog and reaching its database. kCannotOpen, kDatabaseError and kConnectionLost
// are followed by the database engine's own message (never a password).
inline constexpr ErrorText kCatalogNotOpen{20001, u"El catálogo no está abierto."};
inline constexpr ErrorText kCannotOpen{
    20002,
    u"No se pudo abrir el catálogo. Compruebe la ruta o los datos del servidor y que tenga permiso "
    u"para leerlo. Mensaje del motor de datos: "};
inline constexpr ErrorText kNotACatalog{
    20003, u"El archivo no es un catálogo de países, estados y ciudades."};
inline constexpr ErrorText kNotACatalogSchema{
    20003,
    u"El esquema de la base de datos no es un catálogo de países, estados y ciudades: ya tiene "
    u"otras tablas."};
inline constexpr ErrorText kNewerCatalog{
    20004, u"El catálogo fue creado por una versión más reciente de la biblioteca de datos."};
inline constexpr ErrorText kNotConnected{20005,
                                         u"El registro no tiene una conexión con el catálogo."};
inline constexpr ErrorText kForeignConnection{
    20006, u"La conexión indicada no pertenece a esta biblioteca de datos."};
inline constexpr ErrorText kNoCatalogThere{
    20007,
    u"No hay un catálogo en esa ubicación: el archivo no existe o está vacío, o el esquema del "
    u"servidor no tiene tablas. Revise la ubicación; para empezar un catálogo nuevo, ábralo "
    u"pidiendo que se cree."};
inline constexpr ErrorText kBadLocation{
    20008, u"La ubicación del catálogo tiene un carácter nulo; no se abrió nada."};
inline constexpr ErrorText kDamagedCatalog{
    20009,
    u"El catálogo está dañado: una fila tiene una clave fuera del intervalo 1 a 2147483647. "
    u"Restaure una copia de seguridad o avise a soporte."};

// Stores the data refuses.
inline constexpr ErrorText kPaisDuplicateCode{20010, u"Ya existe un país con ese código."};
inline constexpr ErrorText kEdoProvDuplicateCode{
    20010, u"Ya existe un estado o provincia con ese código en el país."};
inline constexpr ErrorText kCiudadDuplicateCode{
    20010, u"Ya existe una ciudad con ese código en el estado o provincia."};
inline constexpr ErrorText kEdoProvParentMissing{
    20011, u"Indique el país al que pertenece el estado o provincia."};
inline constexpr ErrorText kCiudadParentMissing{
    20011, u"Indique el estado o provincia al que pertenece la ciudad."};
inline constexpr ErrorText kEdoProvParentUnknown{20012,
                                                 u"El país indicado no existe en el catálogo."};
inline constexpr ErrorText kCiudadParentUnknown{
    20012, u"El estado o provincia indicado no existe en el catálogo."};
inline constexpr ErrorText kModifiedByOther{
    20013,
    u"Otro usuario modificó este registro después de que usted lo abrió. Vuelva a "
    u"abrirlo para ver sus cambios."};
inline constexpr ErrorText kDeletedByOther{20014, u"Otro usuario eliminó este registro."};
inline constexpr ErrorText kUnstorableText{
    20015,
    u"El texto tiene un carácter que el servidor del catálogo no puede guardar tal cual (un "
    u"carácter nulo, un sustituto UTF-16 sin pareja o uno que la codificación de la base de datos "
    u"no tiene). No se guardó nada."};

// Deletes the data refuses.
inline constexpr ErrorText kPaisHasDependents{
    20020, u"No se puede eliminar el país: tiene estados o provincias registrados."};
inline constexpr ErrorText kEdoProvHasDependents{
    20020, u"No se puede eliminar el estado o provincia: tiene ciudades registradas."};
inline constexpr ErrorText kNothingToDelete{
    20021, u"El registro no está guardado en el catálogo: no hay nada que eliminar."};

// The database could not do the work now.
inline constexpr ErrorText kBusy{
    20030, u"El catálogo está ocupado por otro usuario. Intente de nuevo en unos momentos."};
inline constexpr ErrorText kDatabaseError{
    20031,
    u"La base de datos del catálogo no pudo hacer la operación; no se guardó nada. Intente de "
    u"nuevo y, si se repite, avise a soporte con este mensaje del motor de datos: "};
inline constexpr ErrorText kConnectionLost{
    20032,
    u"No hay conexión con el servidor del catálogo; la próxima operación intentará conectarse "
    u"de nuevo. Mensaje del servidor: "};

inline constexpr ErrorText kCatalogFileGone{
    20033,
    u"El archivo del catálogo se borró, se movió o se reemplazó después de abrirlo; no se guardó "
    u"nada. Cierre el catálogo y vuelva a abrirlo."};
inline constexpr ErrorText kReadOnlyCatalog{
    20034,
    u"El catálogo es de solo lectura (el archivo, su carpeta o el disco no admiten cambios); no "
    u"se guardó nada."};

// Views. kNoSuchField is followed by the field name asked for.
inline constexpr ErrorText kNoSuchField{20040, u"La vista no tiene el campo: "};
inline constexpr ErrorText kNoCurrentRow{
    20041, u"La vista no tiene una fila actual: ya pasó de la última."};

// 20050-20059 belong to the world-dataset importer (nubex/import/import_error.h).

}  // namespace nubex::err
