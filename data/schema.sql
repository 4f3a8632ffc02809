-- The archive's tables. Dates are ISO text (yyyy-mm-dd), times hh:mm:ss, amounts whole
-- cents. Counters are AUTOINCREMENT keys, never reused after a delete. Names and other
-- texts that the program looks up by name compare ignoring letter case (NOCASE); the
-- registry's names also have case-folded keys (keys.sql).
-- Each index stands on a line of its own: an archive made before an index was added
-- gets it at the next start (upgradeArchive in NewDatabase.h).

CREATE TABLE Impostazioni (
    CodiceImpostazioni INTEGER NOT NULL PRIMARY KEY,
    Intestazione TEXT,
    Indirizzo TEXT,
    Num TEXT,
    CAP TEXT,
    Citta TEXT,
    CodiceFiscale TEXT,
    CodiceAgg INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE TabellaPass (
    Username TEXT COLLATE NOCASE,
    Pass TEXT,
    Cognome TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,
    DataIns TEXT
);
CREATE INDEX TabellaPass_Username ON TabellaPass (Username);

CREATE TABLE TabellaRegistroAccessi (
    Cognome TEXT,
    Nome TEXT,
    DataIn TEXT,
    OraIn TEXT,
    DataOut TEXT,
    OraOut TEXT,
    Controllo INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX TabellaRegistroAccessi_Controllo ON TabellaRegistroAccessi (Controllo);

CREATE TABLE TabellaNominativi (
    CodNom INTEGER PRIMARY KEY AUTOINCREMENT,
    NumTessera TEXT,
    DataIscrizione TEXT,
    Titolo TEXT,
    Cognome TEXT COLLATE NOCASE,
    Nome TEXT COLLATE NOCASE,
    Nominativo TEXT COLLATE NOCASE,
    NatoA TEXT,
    IL TEXT,
    Residente TEXT,
    CAP TEXT,
    Indirizzo TEXT,
    Numero TEXT,
    Telefono TEXT,
    Cell TEXT,
    EMail TEXT,
    TipoSocio TEXT COLLATE NOCASE,
    CodiceControllo INTEGER NOT NULL DEFAULT 0,
    EnteAppartenenza TEXT COLLATE NOCASE,
    CFiscale TEXT,
    Note TEXT,
    Professione TEXT,
    TitoloStudio TEXT,
    OccupazioneAttuale TEXT,
    Nucleo TEXT,
    AssensoTrattDatiPersonali INTEGER NOT NULL DEFAULT 0,
    AssensoFotoVideoWeb INTEGER NOT NULL DEFAULT 0,
    AssensoMailList INTEGER NOT NULL DEFAULT 0,
    AddOK INTEGER NOT NULL DEFAULT 0,
    Anni INTEGER NOT NULL DEFAULT 0,
    Compleanno TEXT,
    CodiceControllo2 INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX TabellaNominativi_Cognome ON TabellaNominativi (Cognome);
CREATE INDEX TabellaNominativi_CodiceControllo ON TabellaNominativi (CodiceControllo);
CREATE INDEX TabellaNominativi_Ente ON TabellaNominativi (EnteAppartenenza);

CREATE TABLE RegistroQuoteSoci (
    IDRegistro INTEGER PRIMARY KEY AUTOINCREMENT,
    CodNom INTEGER,
    TessNum TEXT,
    Indata TEXT,
    Anno TEXT,
    QuotaVers INTEGER NOT NULL DEFAULT 0,
    Note TEXT,
    Validate INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX RegistroQuoteSoci_CodNom ON RegistroQuoteSoci (CodNom, Anno);
CREATE INDEX RegistroQuoteSoci_Anno ON RegistroQuoteSoci (Anno);
-- The few fee rows flagged for a printout, so that the next selection finds them at once.
CREATE INDEX RegistroQuoteSoci_Flagged ON RegistroQuoteSoci (Validate) WHERE Validate <> 0;

CREATE TABLE StampaSoci (
    Num INTEGER,
    Cognome TEXT,
    Nome TEXT,
    TessNumero TEXT,
    Note TEXT
);

CREATE TABLE TestateLibroCassa (
    CodiceTestataCassa INTEGER NOT NULL PRIMARY KEY,
    TestataCassa TEXT COLLATE NOCASE,
    SaldoAnno INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE LibroCassa (
    ID_LibroCassa INTEGER PRIMARY KEY AUTOINCREMENT,
    Data TEXT,
    Anno INTEGER,
    CodiceTestataCassa INTEGER,
    CodiceCategoria TEXT COLLATE NOCASE,
    Tipo TEXT,
    Descrizione TEXT,
    Importo INTEGER NOT NULL DEFAULT 0,
    Saldo INTEGER,
    RicevutaNumero INTEGER,
    ChiusuraAnno INTEGER NOT NULL DEFAULT 0,
    SaldoTotale INTEGER,
    Note TEXT,
    CodiceStampa INTEGER NOT NULL DEFAULT 0,
    SubCodDescrizione TEXT,
    CodiceSK INTEGER
);
CREATE INDEX LibroCassa_LibroAnno ON LibroCassa (CodiceTestataCassa, Anno, Data, ID_LibroCassa);
CREATE INDEX LibroCassa_Anno ON LibroCassa (Anno, Data, ID_LibroCassa);
CREATE INDEX LibroCassa_Codice ON LibroCassa (CodiceCategoria);

CREATE TABLE TabellaCodici (
    Codice TEXT COLLATE NOCASE UNIQUE,
    CodDescrizione TEXT,
    AttivitaPassivita INTEGER NOT NULL DEFAULT 0,
    DataIns TEXT
);

CREATE TABLE StampaLibroCassa (
    Data TEXT,
    CodiceCategoria TEXT,
    Tipo TEXT,
    Descrizione TEXT,
    Importo INTEGER NOT NULL DEFAULT 0,
    ImportoE INTEGER NOT NULL DEFAULT 0,
    ImportoU INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Rendicontazione (
    TestataCassa TEXT,
    EntrataUscita TEXT,
    Codice TEXT,
    DescrCodice TEXT,
    Data TEXT,
    Anno INTEGER,
    Importo INTEGER NOT NULL DEFAULT 0,
    ImportoE INTEGER NOT NULL DEFAULT 0,
    ImportoU INTEGER NOT NULL DEFAULT 0,
    RiceNum INTEGER,
    Causale TEXT,
    SubCodDescrizione TEXT
);

CREATE TABLE TabellaRiepilogativoRendiconto (
    Cod TEXT,
    CodDescrizione TEXT,
    OrdStampa INTEGER NOT NULL DEFAULT 0,
    TotImportoE INTEGER NOT NULL DEFAULT 0,
    TotImportoU INTEGER NOT NULL DEFAULT 0,
    Differenza INTEGER NOT NULL DEFAULT 0,
    MenoPiu TEXT
);

CREATE TABLE RegistroInventario (
    NumInv INTEGER PRIMARY KEY AUTOINCREMENT,
    Data TEXT,
    Anno INTEGER,
    Descrizione TEXT,
    Valore INTEGER NOT NULL DEFAULT 0,
    Svalutazione INTEGER NOT NULL DEFAULT 0,
    Ubicazione TEXT,
    Fornitore TEXT,
    FattScontr TEXT,
    NumFatScontr TEXT,
    DataFatScontr TEXT,
    Annotazioni TEXT
);

CREATE TABLE RegistroPrevisionale (
    IDRegistro INTEGER PRIMARY KEY AUTOINCREMENT,
    Anno TEXT,
    Descrizione TEXT COLLATE NOCASE,
    Codice INTEGER NOT NULL DEFAULT 0,
    Importo INTEGER NOT NULL DEFAULT 0,
    CodStampa INTEGER NOT NULL DEFAULT 0,
    ImportoE INTEGER,
    ImportoU INTEGER
);

CREATE TABLE TabellaPrevisionale (
    IDRegistro INTEGER PRIMARY KEY AUTOINCREMENT,
    Descrizione TEXT,
    Codice INTEGER NOT NULL DEFAULT 0
);
