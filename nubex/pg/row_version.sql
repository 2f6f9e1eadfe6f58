
-- Every update of a row moves its Sys_Version on by exactly one, whoever writes it (the
-- library, plain SQL, another tool): a record loaded before such a change is then refused as
-- stale instead of overwriting it. A BEFORE trigger, so RETURNING reads the version it set.
CREATE FUNCTION nubex_version_siguiente() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    NEW.Sys_Version := OLD.Sys_Version + 1;
    RETURN NEW;
END;
$$;
CREATE TRIGGER Pais_Version BEFORE UPDATE ON Pais
    FOR EACH ROW EXECUTE FUNCTION nubex_version_siguiente();
CREATE TRIGGER EdoProv_Version BEFORE UPDATE ON EdoProv
    FOR EACH ROW EXECUTE FUNCTION nubex_version_siguiente();
CREATE TRIGGER Ciudad_Version BEFORE UPDATE ON Ciudad
    FOR EACH ROW EXECUTE FUNCTION nubex_version_siguiente();

UPDATE Nubex_Esquema SET Version = 4;
