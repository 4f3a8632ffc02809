-- Case-blind look-ups by name (the duplicate check, the search by surname) compare keys
-- kept beside the names: the name case-folded over the whole of Unicode, so that "CANTÙ"
-- finds "Cantù". SQLite's own NOCASE folds A-Z only, and a collation of the program's
-- would make these tables unreadable to the sqlcipher command-line tool. The keys are
-- plain text columns with a plain index, so the tool reads, sorts and checks the tables
-- as they are; the program computes each key with its function vb_piega, called by the
-- triggers below on every insert and on every change of a name, whoever writes the row.
-- The tool does not know vb_piega and refuses to write a name, so no key goes stale.
-- Run on a new archive and, once, on an archive of an earlier version.

ALTER TABLE TabellaNominativi ADD COLUMN ChiaveCognome TEXT;
ALTER TABLE TabellaNominativi ADD COLUMN ChiaveNome TEXT;
UPDATE TabellaNominativi SET ChiaveCognome = vb_piega(Cognome), ChiaveNome = vb_piega(Nome);
DROP INDEX IF EXISTS TabellaNominativi_Persona;
CREATE INDEX TabellaNominativi_Chiave ON TabellaNominativi (ChiaveCognome, ChiaveNome, IL);

CREATE TRIGGER TabellaNominativi_ChiaviNuove AFTER INSERT ON TabellaNominativi
BEGIN
    UPDATE TabellaNominativi SET ChiaveCognome = vb_piega(NEW.Cognome), ChiaveNome = vb_piega(NEW.Nome)
    WHERE CodNom = NEW.CodNom;
END;

CREATE TRIGGER TabellaNominativi_ChiaviCambiate AFTER UPDATE OF Cognome, Nome ON TabellaNominativi
BEGIN
    UPDATE TabellaNominativi SET ChiaveCognome = vb_piega(NEW.Cognome), ChiaveNome = vb_piega(NEW.Nome)
    WHERE CodNom = NEW.CodNom;
END;
