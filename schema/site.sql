-- Tables of the site file (Data/<code>.mdb and its template SiteAna.mdb): flats, their
-- ledger, the operating book, batches, types and supplier cards.
PRAGMA application_id = 1145130070;
PRAGMA user_version = 1;

-- The site itself, one row. The general file keeps the same columns, one row per site;
-- firma_ind is local to each file.
CREATE TABLE firmabilgi (
    firma_ind INTEGER PRIMARY KEY AUTOINCREMENT,
    firma_kodu TEXT,              -- file-name stem of the site's two files
    firma_unvani_1 TEXT,
    firma_unvani_2 TEXT,
    firma_adresi_1 TEXT,
    firma_adresi_2 TEXT,
    adres_semt TEXT,
    adres_sehir TEXT,
    vergi_dairesi TEXT,
    vergi_no TEXT,
    telefon1_no TEXT,
    telefon2_no TEXT,
    fax_no TEXT,
    firma_sahibi TEXT,
    firma_irtibat_kisi TEXT,
    ikinci_adres1 TEXT,
    ikinci_adres2 TEXT,
    ikinci_adres_semt TEXT,
    ikinci_adres_sehir TEXT,
    ikinci_adres_tel_no TEXT,
    yetkili1 TEXT,
    yetkili1unvan TEXT,
    yetkili2 TEXT,
    yetkili2unvan TEXT,
    yetkili3 TEXT,
    yetkili3unvan TEXT,
    sgk_no TEXT,
    sgk_kullanici TEXT,
    sgk_parola TEXT,
    sgk_sifre TEXT,
    bos1 TEXT,                    -- bank for dues payments
    bos2 TEXT,                    -- holder of that account
    bos3 TEXT,                    -- IBAN of that account
    bos4 TEXT,                    -- address for cash payments
    bos5 TEXT,                    -- correspondence address for members
    bos6 TEXT,
    bos7 TEXT,
    bos8 TEXT,
    bos9 TEXT,
    bos10 TEXT,
    isletme_kapama_tarihi TEXT,
    aidat_kapama_tarihi TEXT,
    faiz_kapama_tarihi TEXT,
    faiz_yillik REAL,
    faiz_aylik REAL               -- monthly late-payment interest, percent
);
CREATE INDEX firmabilgi_firma_kodu ON firmabilgi (firma_kodu);

-- Flats of the site: owner, resident, their predecessors, contact data and dues settings.
-- sicil_kodu is the flat number everything else refers to; duplicates are refused by the
-- program when a flat is added, not by the file.
CREATE TABLE siciltablo (
    hid INTEGER PRIMARY KEY AUTOINCREMENT,
    sicil_kodu INTEGER,
    adi TEXT,
    soyadi TEXT,
    giris_tarihi TEXT,
    tc_kimlik TEXT,
    cinsiyeti TEXT,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    baba_adi TEXT,
    anne_adi TEXT,
    tel1 TEXT,
    tel2 TEXT,
    ceptel TEXT,
    ceptel2 TEXT,
    fax TEXT,
    oturan_fax TEXT,
    ev_adresi TEXT,
    isadresi TEXT,
    email TEXT,
    oturan_mail TEXT,
    web TEXT,
    aciklama1 TEXT,
    aciklama2 TEXT,
    aciklama3 TEXT,
    kiminyakini TEXT,
    oturan_kisi_sayisi INTEGER,
    oturan_cocuk_sayisi INTEGER,
    oturan_tc_kimlik TEXT,
    oturan_dogumtarihi TEXT,
    oturan_giris_tarihi TEXT,
    aidattutar1 REAL,
    aidatvar1 TEXT,
    aidattutar2 REAL,
    aidatvar2 TEXT,
    aidattutar3 REAL,
    aidatvar3 TEXT,
    aidat3indirim REAL,
    aidat1indirim REAL,           -- owner's dues discount, percent
    aidat2indirim REAL,           -- resident's dues discount, percent
    oturan_bankahesapno TEXT,
    oturan_adi TEXT,
    oturan_soyadi TEXT,
    oturan_tel1 TEXT,
    oturan_tel2 TEXT,
    oturan_cep1 TEXT,
    oturan_cep2 TEXT,
    oturan_email TEXT,
    oturan_is_adresi TEXT,
    onceki_oturan_adi TEXT,
    onceki_oturan_soyadi TEXT,
    onceki_oturan_tel TEXT,
    onceki_oturan_cep TEXT,
    onceki_oturan_is_adresi TEXT,
    onceki_oturan_tasin_tarihi TEXT,
    onceki_oturan_giris_tarihi TEXT,
    onceki_ev_sahibi_adi TEXT,
    onceki_ev_sahibi_soyadi TEXT,
    onceki_ev_sahibi_tel TEXT,
    onceki_ev_sahibi_adres TEXT,
    sahibi_foto BLOB,
    oturan_foto BLOB,
    eski_sahibi_foto BLOB,
    eski_oturan_foto BLOB,
    bos_text1 TEXT,               -- vehicle plate
    bos_text2 TEXT,               -- owner's birth date as typed (dd/mm/yyyy)
    bos_text3 TEXT,               -- owner's spouse
    bos_text4 TEXT,               -- resident's spouse
    bos_text5 TEXT,
    bos_text6 TEXT,
    bos_text7 TEXT,
    bos_number1 REAL,             -- owner's dues distribution criterion
    bos_number2 REAL,             -- resident's dues distribution criterion
    bos_number3 REAL,             -- owner's fixed dues
    bos_number4 REAL,             -- resident's fixed dues
    bos_number5 REAL,
    bos_number6 REAL,
    bos_number7 REAL,
    mahallesi TEXT,
    caddesi TEXT,
    sokak TEXT,
    dis_kapi_numarasi TEXT,
    eski_sahibi_aciklama TEXT,
    eski_oturan_aciklama TEXT
);
CREATE INDEX siciltablo_sicil_kodu ON siciltablo (sicil_kodu);

-- The flats' ledger: one debit (borc) or credit (alacak) on the account of one holder of one
-- flat. The batch and book columns hold the key of whatever wrote the movement, so undoing a
-- batch or deleting a linked record finds exactly its movements.
CREATE TABLE sicilcarihar (
    cid INTEGER PRIMARY KEY AUTOINCREMENT,
    yil INTEGER,
    ay TEXT,
    sicil_kodu INTEGER,
    sicil_kayitno_id INTEGER,     -- siciltablo.hid
    adi_soyadi TEXT,              -- account holder
    islem_tarihi TEXT,
    borc REAL,
    alacak REAL,
    para_cinsi TEXT DEFAULT 'TL',
    bankaid INTEGER,              -- bankaaktar.bid
    aidat1id INTEGER,             -- aiadataktar.aid
    aidat2id INTEGER,
    aidat3id INTEGER,
    nakitid INTEGER,              -- borcalacak.bid
    isletmegelirid INTEGER,       -- isletgelir.idi
    isletmegiderid INTEGER,
    muh_kodu TEXT,
    aciklama TEXT,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    dis_kapi_numarasi TEXT,
    gorevi TEXT,
    "not" TEXT,
    bankahesap TEXT,
    vadesi TEXT,
    son_faiz_tarih TEXT,
    toplam_faiz REAL,
    son_faiz REAL,
    faiz_id INTEGER DEFAULT 0,    -- 2 = interest movement, 0 = ordinary
    oturan_adi_soyadi TEXT,
    daire_sahibi_adi_soyadi TEXT,
    aidat_turu TEXT               -- gelirtur.adi
);
CREATE INDEX sicilcarihar_sicil_kodu_islem_tarihi ON sicilcarihar (sicil_kodu, islem_tarihi);
CREATE INDEX sicilcarihar_islem_tarihi ON sicilcarihar (islem_tarihi);
CREATE INDEX sicilcarihar_adi_soyadi ON sicilcarihar (adi_soyadi);
CREATE INDEX sicilcarihar_aidat1id ON sicilcarihar (aidat1id);
CREATE INDEX sicilcarihar_nakitid ON sicilcarihar (nakitid);
CREATE INDEX sicilcarihar_bankaid ON sicilcarihar (bankaid);
CREATE INDEX sicilcarihar_isletmegelirid ON sicilcarihar (isletmegelirid);

-- Dues accrual batches; aid is stamped into sicilcarihar.aidat1id.
CREATE TABLE aiadataktar (
    aid INTEGER PRIMARY KEY AUTOINCREMENT,
    tarih TEXT,
    toplam_tutar REAL,
    taksitsay INTEGER,
    aciklama TEXT,
    kayittarihi TEXT
);
CREATE INDEX tarih ON aiadataktar (tarih);

-- Saved debit/credit sheets; bid is stamped into sicilcarihar.nakitid.
CREATE TABLE borcalacak (
    bid INTEGER PRIMARY KEY AUTOINCREMENT,
    tarih TEXT,
    borctoplam REAL,
    alacaktoplam REAL,
    aciklama TEXT,
    kayittarihi TEXT,
    kayitsay INTEGER
);

-- Imported bank lists; bid is stamped into the bankaid of the movements, book lines and
-- kept-back lines made from the list.
CREATE TABLE bankaaktar (
    bid INTEGER PRIMARY KEY AUTOINCREMENT,
    tarih TEXT,
    islemtarihi TEXT,
    aciklama TEXT,
    toplamkayit INTEGER,
    aktarilankayit INTEGER,
    toplamtutar REAL,
    gelir_aktarim_turu TEXT,
    cari_aktarim_turu TEXT,
    bosint INTEGER,
    bosnumber REAL,               -- exchange rate of the list's currency
    bostekst TEXT,                -- "TekTek" with book records, "Yapma" without
    gelir_kodu TEXT,
    gelir_adi TEXT
);

-- Lines of a bank list kept back, not yet transferred.
CREATE TABLE bulunmayan (
    cid INTEGER PRIMARY KEY AUTOINCREMENT,
    yil INTEGER,
    ay TEXT,
    sicil_kodu INTEGER,
    adi_soyadi TEXT,
    islem_tarihi TEXT,
    borc REAL,
    alacak REAL,
    para_cinsi TEXT,
    bankaid INTEGER,              -- bankaaktar.bid
    aidat1id INTEGER,
    aidat2id INTEGER,
    aidat3id INTEGER,
    nakitid INTEGER,
    muh_kodu TEXT,
    aciklama TEXT,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    dis_kapi_numarasi TEXT,
    "not" TEXT,
    bankahesap TEXT
);
CREATE INDEX bulunmayan_bankaid ON bulunmayan (bankaid);

-- Income lines of the operating book; lines saved together share mahsupid (receipt number).
CREATE TABLE isletgelir (
    idi INTEGER PRIMARY KEY AUTOINCREMENT,
    islem_tarihi TEXT,
    doviz_cinsi TEXT,
    faturano TEXT,
    faturatarihi TEXT,
    malbedeli REAL,
    kdv REAL,
    toplamtutar REAL,
    aciklama TEXT,
    bankaid INTEGER,              -- bankaaktar.bid
    nakitid INTEGER,
    kasaid INTEGER,
    sicilhareketid INTEGER,       -- sicilcarihar.cid
    islemturu TEXT,               -- payment method
    islem_vadesi TEXT,            -- receipt date
    stokkodu TEXT,
    stokadi TEXT,
    miktari REAL,
    cari_kodu TEXT,               -- firma.firma_kodu
    cari_adi TEXT,
    mahsupid INTEGER,
    stopajgelir REAL,
    stopajkdv REAL,
    gelirturu TEXT,
    geliranakodu TEXT,
    geliradi TEXT,                -- gelirtur.adi or "Virman"
    uye_sicil_kodu INTEGER,
    uye_kayit_sicil_no INTEGER,   -- siciltablo.hid
    uye_adi_soyadi TEXT,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    dis_kapi_no TEXT,
    bostext1 TEXT,                -- flat owner's name
    bostext2 TEXT,
    bostext3 TEXT,
    bosnumber1 REAL,
    bosnumber2 REAL,
    bosnumber3 REAL,
    bosinteger1 INTEGER,
    bosinteger2 INTEGER,
    bosinteger3 INTEGER
);
CREATE INDEX isletgelir_islem_tarihi ON isletgelir (islem_tarihi);
CREATE INDEX isletgelir_mahsupid ON isletgelir (mahsupid);
CREATE INDEX isletgelir_sicilhareketid ON isletgelir (sicilhareketid);
CREATE INDEX isletgelir_bankaid ON isletgelir (bankaid);

-- Expense lines of the operating book; lines saved together share mahsupid.
CREATE TABLE isletgider (
    idi INTEGER PRIMARY KEY AUTOINCREMENT,
    islem_tarihi TEXT,
    doviz_cinsi TEXT,
    faturano TEXT,
    faturatarihi TEXT,
    malbedeli REAL,
    kdv REAL,
    toplamtutar REAL,
    aciklama TEXT,
    bankaid INTEGER,              -- bankaaktar.bid
    nakitid INTEGER,
    kasaid INTEGER,
    sicilhareketid INTEGER,       -- sicilcarihar.cid
    islemturu TEXT,               -- payment method
    islem_vadesi TEXT,            -- receipt date
    stokkodu TEXT,                -- stoktur.stokkodu
    stokadi TEXT,
    miktari REAL,
    cari_kodu TEXT,               -- firma.firma_kodu
    cari_adi TEXT,
    mahsupid INTEGER,
    stopajgelir REAL,
    stopajkdv REAL,
    masrafturu TEXT,
    masrafanaturu TEXT,
    masrafadi TEXT,               -- gelirtur.adi or "Virman"
    masrafkesintioran REAL,
    masrafkesintitutar REAL,
    dairesi TEXT,
    blok TEXT,
    kisim TEXT,
    dis_kapi_no TEXT,
    uye_id INTEGER,
    uye_no INTEGER,
    uye_adi_soyadi TEXT,
    mal_sahibi_oturan TEXT
);
CREATE INDEX isletgider_islem_tarihi ON isletgider (islem_tarihi);
CREATE INDEX isletgider_mahsupid ON isletgider (mahsupid);
CREATE INDEX isletgider_sicilhareketid ON isletgider (sicilhareketid);
CREATE INDEX isletgider_bankaid ON isletgider (bankaid);

-- Transaction types used by the ledger, the book and the cash book (income and expense).
CREATE TABLE gelirtur (
    gidi INTEGER PRIMARY KEY AUTOINCREMENT,
    kodu TEXT,
    adi TEXT,
    kdvoran INTEGER,
    kdvdahil TEXT,
    kdvotomatik TEXT,
    anakodu TEXT,
    kesinti REAL,
    kesintiotomatik TEXT
);

-- Expense types, same columns as gelirtur. Expense lines take their types from gelirtur,
-- so nothing reads this table; it stays so every site file has the full set.
CREATE TABLE gidertur (
    gidi INTEGER PRIMARY KEY AUTOINCREMENT,
    kodu TEXT,
    adi TEXT,
    kdvoran INTEGER,
    kdvdahil TEXT,
    kdvotomatik TEXT,
    anakodu TEXT,
    kesinti REAL,
    kesintiotomatik TEXT
);

-- Stock types offered to expense lines.
CREATE TABLE stoktur (
    sidi INTEGER PRIMARY KEY AUTOINCREMENT,
    stokkodu TEXT,
    adi TEXT,
    olcubirimi1 TEXT,
    olcubirimi2 TEXT,
    olcubirimi3 TEXT,
    kdvoran INTEGER,
    kdvdahil TEXT,
    kdvotomatik TEXT
);
CREATE INDEX stoktur_stokkodu ON stoktur (stokkodu);

-- Supplier cards. firma_kodu identifies the account in carihareket; the program refuses a
-- duplicate code when a card is saved.
CREATE TABLE firma (
    firma_ind INTEGER PRIMARY KEY AUTOINCREMENT,
    firma_kodu TEXT,
    firma_adi TEXT,
    musteri_satici TEXT,
    firma_unvani_1 TEXT,
    firma_unvani_2 TEXT,
    firma_adresi_1 TEXT,
    firma_adresi_2 TEXT,
    adres_semt TEXT,
    adres_sehir TEXT,
    vergi_dairesi TEXT,
    vergi_no TEXT,
    telefon1_no TEXT,
    telefon2_no TEXT,
    fax_no TEXT,
    firma_sahibi TEXT,
    firma_irtibat_kisi TEXT,
    ikinci_adres1 TEXT,
    ikinci_adres2 TEXT,
    ikinci_adres_semt TEXT,
    ikinci_adres_sehir TEXT,
    ikinci_adres_tel_no TEXT,
    aciklama TEXT
);
CREATE INDEX firma_firma_kodu ON firma (firma_kodu);
