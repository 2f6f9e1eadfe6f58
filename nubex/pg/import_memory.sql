
-- What the world importer (nubex-import) last wrote into each row it brought in: the row's kind
-- (1 country, 2 state, 3 city), its identifier in the dataset, and a digest of the values it
-- wrote (code, name, telephone code, parent). A later import compares a row with its digest to
-- tell a row still as imported from one a user changed, and a remembered row that is gone from
-- the catalog is one a user deleted, which the import does not bring back. Rows a user added
-- are never here.
CREATE TABLE Nubex_Importado (
    Nivel  smallint NOT NULL CHECK (Nivel BETWEEN 1 AND 3),
    Id     bigint   NOT NULL,
    Huella bigint   NOT NULL,
    PRIMARY KEY (Nivel, Id)
);

UPDATE Nubex_Esquema SET Version = 3;
