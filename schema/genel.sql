-- Tables of the genel file (AnaData/Genel.mdb): the list of sites and the program passwords.
PRAGMA application_id = 1145130070;
PRAGMA user_version = 1;

-- One row per site of this installation. The same columns live in every site data file,
-- where the single row describes that site; firma_ind is local to each file.
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

-- Program password; only the first row and its sifre column are used.
CREATE TABLE sifre (
    sid INTEGER PRIMARY KEY AUTOINCREMENT,
    kullanici TEXT,
    sifre TEXT,
    adi TEXT,
    soyadi TEXT,
    firmaadi TEXT,
    firmaadres TEXT,
    firmatel TEXT,
    firmafax TEXT,
    ekle TEXT,
    degistir TEXT,
    herksesigor TEXT,
    herkesidegistir TEXT,
    baskasirandevuver TEXT
);

-- Master password guarding the password screen; first row used.
CREATE TABLE master (
    mids TEXT
);
