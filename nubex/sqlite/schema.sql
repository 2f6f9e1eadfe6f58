-- Schema of a Nubex catalog on SQLite: countries, their states or provinces, and their cities.
--
-- Table and column names are stable: the record objects and the world-dataset importer both
-- rely on them. Run on an empty database, in this order: the encoding must be chosen before the
-- first table exists, and it is UTF-16 so that any UTF-16 text (unpaired surrogates included)
-- is kept exactly as given.
--
-- Conventions:
--   Sys_PK       integer key, never reused (AUTOINCREMENT), within the 32-bit range of the API.
--   Sys_GUID     unique identifier text; the library writes upper-case UUIDs, and the default
--                below produces the same shape for rows inserted by plain SQL.
--   Sys_Version  starts at 1 and grows by one on every update; an update or delete names the
--                version it read, so that a change made by someone else is never overwritten.
--   Codigo       unique within its parent (countries: among all countries). An empty code means
--                "no code" and may repeat.
--   Texts are NOT NULL; an absent value is the empty text.
PRAGMA encoding = 'UTF-16le';

CREATE TABLE Pais (
    Sys_PK      INTEGER PRIMARY KEY AUTOINCREMENT CHECK (Sys_PK BETWEEN 1 AND 2147483647),
    Sys_GUID    TEXT    NOT NULL UNIQUE CHECK (Sys_GUID <> '') DEFAULT (upper(
                    hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||
                    substr(hex(randomblob(2)), 2) || '-' ||
                    substr('89AB', 1 + (abs(random()) % 4), 1) ||
                    substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))),
    Codigo      TEXT    NOT NULL DEFAULT '',
    Nombre      TEXT    NOT NULL DEFAULT '',
    CodigoTel   TEXT    NOT NULL DEFAULT '',
    Sys_Version INTEGER NOT NULL DEFAULT 1
);
CREATE UNIQUE INDEX Pais_Codigo ON Pais (Codigo) WHERE Codigo <> '';
CREATE INDEX Pais_Nombre ON Pais (Nombre);

CREATE TABLE EdoProv (
    Sys_PK      INTEGER PRIMARY KEY AUTOINCREMENT CHECK (Sys_PK BETWEEN 1 AND 2147483647),
    Sys_GUID    TEXT    NOT NULL UNIQUE CHECK (Sys_GUID <> '') DEFAULT (upper(
                    hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||
                    substr(hex(randomblob(2)), 2) || '-' ||
                    substr('89AB', 1 + (abs(random()) % 4), 1) ||
                    substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))),
    IPais       INTEGER NOT NULL REFERENCES Pais (Sys_PK) ON DELETE RESTRICT ON UPDATE RESTRICT,
    Codigo      TEXT    NOT NULL DEFAULT '',
    Nombre      TEXT    NOT NULL DEFAULT '',
    Sys_Version INTEGER NOT NULL DEFAULT 1
);
CREATE UNIQUE INDEX EdoProv_Codigo ON EdoProv (IPais, Codigo) WHERE Codigo <> '';
CREATE INDEX EdoProv_Nombre ON EdoProv (IPais, Nombre);

CREATE TABLE Ciudad (
    Sys_PK      INTEGER PRIMARY KEY AUTOINCREMENT CHECK (Sys_PK BETWEEN 1 AND 2147483647),
    Sys_GUID    TEXT    NOT NULL UNIQUE CHECK (Sys_GUID <> '') DEFAULT (upper(
                    hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' ||
                    substr(hex(randomblob(2)), 2) || '-' ||
                    substr('89AB', 1 + (abs(random()) % 4), 1) ||
                    substr(hex(randomblob(2)), 2) || '-' || hex(randomblob(6)))),
    Estado      INTEGER NOT NULL REFERENCES EdoProv (Sys_PK) ON DELETE RESTRICT ON UPDATE RESTRICT,
    Codigo      TEXT    NOT NULL DEFAULT '',
    Nombre      TEXT    NOT NULL DEFAULT '',
    CodigoTel   TEXT    NOT NULL DEFAULT '',
    Sys_Version INTEGER NOT NULL DEFAULT 1
);
CREATE UNIQUE INDEX Ciudad_Codigo ON Ciudad (Estado, Codigo) WHERE Codigo <> '';
CREATE INDEX Ciudad_Nombre ON Ciudad (Estado, Nombre);

-- Schema version of this file; the library refuses a catalog newer than it knows.
PRAGMA user_version = 1;
