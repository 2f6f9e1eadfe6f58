
-- The cities of a state in the order V_Ciudades gives them (Nombre in the collation nubex_es,
-- then Sys_PK), holding every column the view reads: the view is then one walk along this
-- index, with no sort after the fetch and no visit to the table's rows, so that reading a state
-- costs the same per city however many it has.
--
-- The index compares names with nubex_es, so every connection that writes Ciudad needs that
-- collation: the library registers it on each of its own, and other programs load it as an
-- extension (the module nubex_es, e.g. ".load libnubex_es" in the sqlite3 shell). Reading needs
-- nothing of the library.
--
-- Run once, inside a write transaction, on a catalog of version 4 (after what it lacks before):
-- it builds the index from the rows already there and makes the catalog version 5.
CREATE INDEX Ciudad_Vista ON Ciudad (Estado, Nombre COLLATE nubex_es, Sys_PK, Sys_GUID, Codigo,
                                     CodigoTel);

PRAGMA user_version = 5;
