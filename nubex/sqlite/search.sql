-- The search over names and codes (nubex/search.h) on SQLite: one FTS5 index per table over its
-- Nombre and Codigo. The unicode61 tokenizer splits a text into words at anything that is not a
-- letter or a digit and folds each word to lower case without accents (remove_diacritics 2), so
-- "São Paulo" is indexed as "sao paulo"; the prefix indexes serve the one- and two-letter
-- prefixes a search field sends while the user types.
--
-- The indexes read their text from the tables themselves (external content: nothing is stored
-- twice; an index row's rowid is the row's Sys_PK), and triggers keep them in step with every
-- insert, update and delete in the same transaction, whoever writes: the library's records, the
-- world importer or plain SQL. Reading needs nothing of the library; searching needs its
-- auxiliary function nubex_entero (sqlite/sqlite_search.cpp).
--
-- Run once, inside a write transaction, on a catalog of version 1 (schema.sql): it creates the
-- indexes, fills them from the rows already there and makes the catalog version 2.

CREATE VIRTUAL TABLE Pais_Busqueda USING fts5 (
    Nombre, Codigo, content = 'Pais', content_rowid = 'Sys_PK',
    tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2');
CREATE TRIGGER Pais_Busqueda_Alta AFTER INSERT ON Pais BEGIN
    INSERT INTO Pais_Busqueda (rowid, Nombre, Codigo) VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
CREATE TRIGGER Pais_Busqueda_Baja AFTER DELETE ON Pais BEGIN
    INSERT INTO Pais_Busqueda (Pais_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
END;
CREATE TRIGGER Pais_Busqueda_Cambio AFTER UPDATE OF Sys_PK, Nombre, Codigo ON Pais
    WHEN old.Sys_PK IS NOT new.Sys_PK OR old.Nombre IS NOT new.Nombre
        OR old.Codigo IS NOT new.Codigo BEGIN
    INSERT INTO Pais_Busqueda (Pais_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
    INSERT INTO Pais_Busqueda (rowid, Nombre, Codigo) VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
INSERT INTO Pais_Busqueda (Pais_Busqueda) VALUES ('rebuild');

CREATE VIRTUAL TABLE EdoProv_Busqueda USING fts5 (
    Nombre, Codigo, content = 'EdoProv', content_rowid = 'Sys_PK',
    tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2');
CREATE TRIGGER EdoProv_Busqueda_Alta AFTER INSERT ON EdoProv BEGIN
    INSERT INTO EdoProv_Busqueda (rowid, Nombre, Codigo)
        VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
CREATE TRIGGER EdoProv_Busqueda_Baja AFTER DELETE ON EdoProv BEGIN
    INSERT INTO EdoProv_Busqueda (EdoProv_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
END;
CREATE TRIGGER EdoProv_Busqueda_Cambio AFTER UPDATE OF Sys_PK, Nombre, Codigo ON EdoProv
    WHEN old.Sys_PK IS NOT new.Sys_PK OR old.Nombre IS NOT new.Nombre
        OR old.Codigo IS NOT new.Codigo BEGIN
    INSERT INTO EdoProv_Busqueda (EdoProv_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
    INSERT INTO EdoProv_Busqueda (rowid, Nombre, Codigo)
        VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
INSERT INTO EdoProv_Busqueda (EdoProv_Busqueda) VALUES ('rebuild');

CREATE VIRTUAL TABLE Ciudad_Busqueda USING fts5 (
    Nombre, Codigo, content = 'Ciudad', content_rowid = 'Sys_PK',
    tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2');
CREATE TRIGGER Ciudad_Busqueda_Alta AFTER INSERT ON Ciudad BEGIN
    INSERT INTO Ciudad_Busqueda (rowid, Nombre, Codigo) VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
CREATE TRIGGER Ciudad_Busqueda_Baja AFTER DELETE ON Ciudad BEGIN
    INSERT INTO Ciudad_Busqueda (Ciudad_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
END;
CREATE TRIGGER Ciudad_Busqueda_Cambio AFTER UPDATE OF Sys_PK, Nombre, Codigo ON Ciudad
    WHEN old.Sys_PK IS NOT new.Sys_PK OR old.Nombre IS NOT new.Nombre
        OR old.Codigo IS NOT new.Codigo BEGIN
    INSERT INTO Ciudad_Busqueda (Ciudad_Busqueda, rowid, Nombre, Codigo)
        VALUES ('delete', old.Sys_PK, old.Nombre, old.Codigo);
    INSERT INTO Ciudad_Busqueda (rowid, Nombre, Codigo) VALUES (new.Sys_PK, new.Nombre, new.Codigo);
END;
INSERT INTO Ciudad_Busqueda (Ciudad_Busqueda) VALUES ('rebuild');

PRAGMA user_version = 2;
