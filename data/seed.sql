-- The rows every working archive holds from the start.
INSERT INTO Impostazioni (CodiceImpostazioni, Intestazione, Indirizzo, Num, CAP, Citta, CodiceFiscale, CodiceAgg)
VALUES (1, 'Associazione - Sezione locale', 'Indirizzo', '', '', '', 'Cod. fiscale ', 0);

INSERT INTO TestateLibroCassa (CodiceTestataCassa, TestataCassa, SaldoAnno) VALUES (1, 'Cassa contanti', 0);
INSERT INTO TestateLibroCassa (CodiceTestataCassa, TestataCassa, SaldoAnno) VALUES (3, 'Banca - bonifici', 0);

INSERT INTO TabellaCodici (Codice, CodDescrizione, AttivitaPassivita, DataIns)
VALUES ('AQS', 'Quote sociali', 1, date('now'));

INSERT INTO TabellaPass (Username, Pass, Cognome, Nome, DataIns)
VALUES ('Nimbo', 'Tramonto', 'Amministratore', 'Sistema', date('now'));
