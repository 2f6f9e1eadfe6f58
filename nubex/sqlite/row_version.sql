
-- Every update of a row moves its Sys_Version on by exactly one, whoever writes it: the
-- library sets it itself (so that RETURNING reads it), and any other writer (plain SQL, another
-- tool) that leaves it alone or sets it otherwise is corrected here. A record loaded before such
-- a change is then refused as stale instead of overwriting it. The inner UPDATE does not fire
-- the trigger again (it leaves the version at old + 1), even with recursive triggers on.
CREATE TRIGGER Pais_Version AFTER UPDATE ON Pais
    WHEN new.Sys_Version IS NOT old.Sys_Version + 1
BEGIN
    UPDATE Pais SET Sys_Version = old.Sys_Version + 1 WHERE Sys_PK = new.Sys_PK;
END;
CREATE TRIGGER EdoProv_Version AFTER UPDATE ON EdoProv
    WHEN new.Sys_Version IS NOT old.Sys_Version + 1
BEGIN
    UPDATE EdoProv SET Sys_Version = old.Sys_Version + 1 WHERE Sys_PK = new.Sys_PK;
END;
CREATE TRIGGER Ciudad_Version AFTER UPDATE ON Ciudad
    WHEN new.Sys_Version IS NOT old.Sys_Version + 1
BEGIN
    UPDATE Ciudad SET Sys_Version = old.Sys_Version + 1 WHERE Sys_PK = new.Sys_PK;
END;

PRAGMA user_version = 4;
