-- The search over names and codes (nubex/search.h) on PostgreSQL: one GIN index per table over
-- the lexemes of its Nombre and Codigo. It needs nothing beyond the core server (no extension,
-- no privilege beyond creating the catalog's tables) and a UTF-8 database; the indexes are
-- expression indexes, so PostgreSQL keeps them in step with every insert, update and delete,
-- whoever writes.
--
-- Words are folded the way SQLite's FTS5 index folds them (unicode61, remove_diacritics 2:
-- nubex/sqlite/search.sql), so that both engines find the same rows: Latin letters lose their
-- accents, everything goes to lower case (ICU's, through the collation nubex_es), a few letters
-- FTS5 folds further follow it (µ, ſ, ς and the Greek symbol variants), and anything that is not
-- a letter or a digit separates words. "São-Paulo" is "sao paulo".
--
-- A row's lexemes (nubex_terminos): the words of its name as they are, for the word matches;
-- the whole folded name marked with '>' and the whole folded code marked with '=', for the exact
-- and prefix matches; and the words of the code marked with '#'. Markers are never part of a
-- folded word. A lexeme keeps at most 255 characters (a tsvector's lexeme holds less than 2 kB)
-- of the first 10 000 of the text; the library cuts a search to 100 characters, so the cuts
-- never change what a search finds.
--
-- Run once, inside a transaction, on a catalog of version 1 (schema.sql): it creates the
-- functions and the indexes (which index the rows already there) and makes the catalog
-- version 2. The functions find what they use in the catalog's own schema (nubex_pliegue's body
-- is bound when created; nubex_terminos keeps the search_path it was created with), so index
-- upkeep works whatever the search_path of the session that writes.

CREATE FUNCTION nubex_pliegue(texto text) RETURNS text
    LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE
    RETURN btrim(regexp_replace(
        translate(
            lower(normalize(regexp_replace(normalize(texto, NFD),
                                           '([A-Za-z])[\u0300-\u0304\u0306-\u030c\u030f\u0311'
                                           '\u031b\u0323-\u0328\u032d\u032e\u0330\u0331]+',
                                           '\1', 'g'),
                            NFC) COLLATE nubex_es),
            'µſςϐϑϕϖϰϱϵ', 'μsσβθφπκρε'),
        '[^[:alnum:]]+', ' ', 'g'));

-- PL/pgSQL, which every database has, so that the folding runs once per text: a SQL function
-- would fold twice or run as a query of its own, several times slower on a large import.
CREATE FUNCTION nubex_terminos(nombre text, codigo text) RETURNS tsvector
    LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE SET search_path FROM CURRENT AS $$
DECLARE
    n text := nubex_pliegue(left(nombre, 10000));
    c text := nubex_pliegue(left(codigo, 10000));
BEGIN
    -- Long words are rare, and cutting them is slow.
    IF length(n) > 255 THEN n := regexp_replace(n, '(\S{255})\S+', '\1', 'g'); END IF;
    IF length(c) > 255 THEN c := regexp_replace(c, '(\S{255})\S+', '\1', 'g'); END IF;
    RETURN array_to_tsvector(
        string_to_array(n, ' ') || ('>' || left(n, 255)) ||
        string_to_array(regexp_replace(c, '(\S+)', '#\1', 'g'), ' ') || ('=' || left(c, 255)));
END
$$;

-- Without GIN's pending list (fastupdate): a search must not slow down with the rows written
-- since the last vacuum (right after the world's import, searches took ten times as long);
-- stores are few, and an import pays about a fifth more.
CREATE INDEX Pais_Busqueda ON Pais USING gin (nubex_terminos(Nombre, Codigo))
    WITH (fastupdate = off);
CREATE INDEX EdoProv_Busqueda ON EdoProv USING gin (nubex_terminos(Nombre, Codigo))
    WITH (fastupdate = off);
CREATE INDEX Ciudad_Busqueda ON Ciudad USING gin (nubex_terminos(Nombre, Codigo))
    WITH (fastupdate = off);

UPDATE Nubex_Esquema SET Version = 2;
