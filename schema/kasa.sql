-- Tables of the cash file (Data/<code>TUMK.mdb and its template Kasa.mdb): the cash book, the
-- documents attached to cash movements and the supplier ledger.
PRAGMA application_id = 1145130070;
PRAGMA user_version = 1;

-- Cash movements: money in (borc_tutar) or out (alacak_tutar) by payment method and currency,
-- with the keys of the ledger movement and the operating-book line written with it.
CREATE TABLE nakit (
    nid INTEGER PRIMARY KEY AUTOINCREMENT,
    cekid INTEGER,
    firmaid INTEGER,
    firmakodu TEXT,               -- firma.firma_kodu
    firmaadi TEXT,
    bankaid INTEGER,
    bankakodu TEXT,
    bankaadi TEXT,                -- payment method
    islem_tarihi TEXT,
    islem_vadesi TEXT,
    borc_tutar REAL,
    alacak_tutar REAL,
    neden TEXT,                   -- transaction type
    doviz_cinsi TEXT,
    doviz_borc REAL,
    doviz_alacak REAL,
    hes_dov_cinsi TEXT,
    hes_doviz_borc REAL,
    hes_doviz_alacak REAL,
    aciklama TEXT,
    kur_farki REAL,
    doviz_kuru REAL,
    fatura_KDV REAL,
    fatura_no TEXT,
    fatura_seri TEXT,
    irsaliye_no TEXT,
    irsaliye_seri TEXT,
    uye_kayit_no INTEGER,         -- siciltablo.hid
    uye_adi_soyadi TEXT,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    dis_kapi_no TEXT,
    aidat_id INTEGER,             -- sicilcarihar.cid
    isletme_id INTEGER,           -- isletgelir.idi (money in) or isletgider.idi (money out)
    aidat_var TEXT,
    isletme_var TEXT DEFAULT 'E', -- "E": also recorded in the operating book
    uye_kodu INTEGER              -- siciltablo.sicil_kodu
);
CREATE INDEX nakit_islem_tarihi ON nakit (islem_tarihi);
CREATE INDEX nakit_aidat_id ON nakit (aidat_id);
CREATE INDEX nakit_isletme_id ON nakit (isletme_id);

-- Scanned documents (pictures) attached to a cash movement.
CREATE TABLE resimnakit (
    rid INTEGER PRIMARY KEY AUTOINCREMENT,
    nakidid INTEGER,              -- nakit.nid
    resimadi TEXT,
    resim BLOB,
    cekid INTEGER,
    firmaid INTEGER,
    firmakodu TEXT,
    firmaadi TEXT,
    cirocekid INTEGER,
    aciklama TEXT,
    bordroid INTEGER
);
CREATE INDEX resimnakit_nakidid ON resimnakit (nakidid);

-- Supplier ledger: debits and credits on the account of one firm (cari_kodu). The link
-- columns hold the key of the cash movement or book line that wrote the movement.
CREATE TABLE carihareket (
    chid INTEGER PRIMARY KEY AUTOINCREMENT,
    cari_kodu TEXT,               -- firma.firma_kodu
    cari_hesap_adi TEXT,
    borc_tutari REAL,
    alacak_tutari REAL,
    brut_tutar REAL,
    vade_fark REAL,
    cek_masraf REAL,
    komisyon REAL,
    cek_id INTEGER,               -- book line of the cash movement in nakit_id
    nakit_id INTEGER,             -- nakit.nid
    cek_iade_id INTEGER,
    cek_ciro_id INTEGER,
    aciklama TEXT,
    islem_tarihi TEXT,
    vade_tarihi TEXT,
    doviz_cinsi TEXT,
    doviz_alacak REAL,
    doviz_borc REAL,
    hes_dov_cinsi TEXT,
    hes_doviz_alacak REAL,
    hes_doviz_borc REAL,
    kur_farki REAL,
    BSMV REAL,
    vade_farki_dus TEXT,
    masraf_dus TEXT,
    BSMV_dus TEXT,
    bostutar1 REAL,               -- exchange rate as typed
    bostutar2 REAL,
    bostutar3 REAL,
    bosint1 INTEGER,              -- isletgelir.idi
    bosint2 INTEGER,              -- isletgider.idi
    bosint3 INTEGER,
    doviz_kuru REAL,
    fatura_KDV REAL,
    fatura_no TEXT,
    fatura_seri TEXT,
    irsaliye_no TEXT,
    irsaliye_seri TEXT,
    islemturu TEXT,
    bostext1 TEXT,
    bostext2 TEXT,
    bostext3 TEXT
);
CREATE INDEX carihareket_cari_kodu_islem_tarihi ON carihareket (cari_kodu, islem_tarihi);
CREATE INDEX carihareket_nakit_id ON carihareket (nakit_id);
CREATE INDEX carihareket_bosint1 ON carihareket (bosint1);
CREATE INDEX carihareket_bosint2 ON carihareket (bosint2);
