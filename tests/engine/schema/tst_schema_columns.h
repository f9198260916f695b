#pragma once

#include <QList>
#include <QString>

namespace dalvira::test::schema {

// The templates the build lays out, relative to the program folder.
inline const QString kGenel = QStringLiteral("AnaData/Genel.mdb");
inline const QString kSite = QStringLiteral("SiteAna.mdb");
inline const QString kKasa = QStringLiteral("Kasa.mdb");

// The columns of one table, by kind: "key" is the AutoInc key, INTEGER, REAL, TEXT, BLOB as
// declared, DATE an ISO date kept as TEXT.
struct TableColumns
{
    const char *table;
    const char *columns;
};

struct TemplateFile
{
    QString file;
    QList<TableColumns> tables;
};

// Column lists, written from the documented data model.
inline const char *const firmabilgi = R"(
    key      firma_ind
    REAL     faiz_yillik faiz_aylik
    TEXT     firma_kodu firma_unvani_1 firma_unvani_2 firma_adresi_1 firma_adresi_2 adres_semt
             adres_sehir vergi_dairesi vergi_no telefon1_no telefon2_no fax_no firma_sahibi
             firma_irtibat_kisi ikinci_adres1 ikinci_adres2 ikinci_adres_semt ikinci_adres_sehir
             ikinci_adres_tel_no yetkili1 yetkili1unvan yetkili2 yetkili2unvan yetkili3
             yetkili3unvan sgk_no sgk_kullanici sgk_parola sgk_sifre bos1 bos2 bos3 bos4 bos5
             bos6 bos7 bos8 bos9 bos10
    DATE     isletme_kapama_tarihi aidat_kapama_tarihi faiz_kapama_tarihi
)";

inline const char *const sifre = R"(
    key      sid
    TEXT     kullanici sifre adi soyadi firmaadi firmaadres firmatel firmafax ekle degistir
             herksesigor herkesidegistir baskasirandevuver
)";

inline const char *const master = R"(
    TEXT     mids
)";

inline const char *const siciltablo = R"(
    key      hid
    INTEGER  sicil_kodu oturan_kisi_sayisi oturan_cocuk_sayisi
    REAL     aidattutar1 aidattutar2 aidattutar3 aidat3indirim aidat1indirim aidat2indirim
             bos_number1 bos_number2 bos_number3 bos_number4 bos_number5 bos_number6 bos_number7
    TEXT     adi soyadi tc_kimlik cinsiyeti dairesi blok kisim baba_adi anne_adi tel1 tel2
             ceptel ceptel2 fax oturan_fax ev_adresi isadresi email oturan_mail web aciklama1
             aciklama2 aciklama3 kiminyakini oturan_tc_kimlik aidatvar1 aidatvar2 aidatvar3
             oturan_bankahesapno oturan_adi oturan_soyadi oturan_tel1 oturan_tel2 oturan_cep1
             oturan_cep2 oturan_email oturan_is_adresi onceki_oturan_adi onceki_oturan_soyadi
             onceki_oturan_tel onceki_oturan_cep onceki_oturan_is_adresi onceki_ev_sahibi_adi
             onceki_ev_sahibi_soyadi onceki_ev_sahibi_tel onceki_ev_sahibi_adres bos_text1
             bos_text2 bos_text3 bos_text4 bos_text5 bos_text6 bos_text7 mahallesi caddesi sokak
             dis_kapi_numarasi eski_sahibi_aciklama eski_oturan_aciklama
    DATE     giris_tarihi oturan_dogumtarihi oturan_giris_tarihi onceki_oturan_tasin_tarihi
             onceki_oturan_giris_tarihi
    BLOB     sahibi_foto oturan_foto eski_sahibi_foto eski_oturan_foto
)";

inline const char *const sicilcarihar = R"(
    key      cid
    INTEGER  yil sicil_kodu sicil_kayitno_id bankaid aidat1id aidat2id aidat3id nakitid
             isletmegelirid isletmegiderid faiz_id
    REAL     borc alacak toplam_faiz son_faiz
    TEXT     ay adi_soyadi para_cinsi muh_kodu aciklama dairesi blok kisim dis_kapi_numarasi
             gorevi not bankahesap oturan_adi_soyadi daire_sahibi_adi_soyadi aidat_turu
    DATE     islem_tarihi vadesi son_faiz_tarih
)";

inline const char *const aiadataktar = R"(
    key      aid
    INTEGER  taksitsay
    REAL     toplam_tutar
    TEXT     aciklama
    DATE     tarih kayittarihi
)";

inline const char *const borcalacak = R"(
    key      bid
    INTEGER  kayitsay
    REAL     borctoplam alacaktoplam
    TEXT     aciklama
    DATE     tarih kayittarihi
)";

inline const char *const bankaaktar = R"(
    key      bid
    INTEGER  toplamkayit aktarilankayit bosint
    REAL     toplamtutar bosnumber
    TEXT     aciklama gelir_aktarim_turu cari_aktarim_turu bostekst gelir_kodu gelir_adi
    DATE     tarih islemtarihi
)";

inline const char *const bulunmayan = R"(
    key      cid
    INTEGER  yil sicil_kodu bankaid aidat1id aidat2id aidat3id nakitid
    REAL     borc alacak
    TEXT     ay adi_soyadi para_cinsi muh_kodu aciklama dairesi blok kisim dis_kapi_numarasi not
             bankahesap
    DATE     islem_tarihi
)";

inline const char *const isletgelir = R"(
    key      idi
    INTEGER  bankaid nakitid kasaid sicilhareketid mahsupid uye_sicil_kodu uye_kayit_sicil_no
             bosinteger1 bosinteger2 bosinteger3
    REAL     malbedeli kdv toplamtutar miktari stopajgelir stopajkdv bosnumber1 bosnumber2
             bosnumber3
    TEXT     doviz_cinsi faturano aciklama islemturu stokkodu stokadi cari_kodu cari_adi
             gelirturu geliranakodu geliradi uye_adi_soyadi dairesi blok kisim dis_kapi_no
             bostext1 bostext2 bostext3
    DATE     islem_tarihi faturatarihi islem_vadesi
)";

inline const char *const isletgider = R"(
    key      idi
    INTEGER  bankaid nakitid kasaid sicilhareketid mahsupid uye_id uye_no
    REAL     malbedeli kdv toplamtutar miktari stopajgelir stopajkdv masrafkesintioran
             masrafkesintitutar
    TEXT     doviz_cinsi faturano aciklama islemturu stokkodu stokadi cari_kodu cari_adi
             masrafturu masrafanaturu masrafadi dairesi blok kisim dis_kapi_no uye_adi_soyadi
             mal_sahibi_oturan
    DATE     islem_tarihi faturatarihi islem_vadesi
)";

inline const char *const gelirtur = R"(
    key      gidi
    INTEGER  kdvoran
    REAL     kesinti
    TEXT     kodu adi kdvdahil kdvotomatik anakodu kesintiotomatik
)";

inline const char *const stoktur = R"(
    key      sidi
    INTEGER  kdvoran
    TEXT     stokkodu adi olcubirimi1 olcubirimi2 olcubirimi3 kdvdahil kdvotomatik
)";

inline const char *const firma = R"(
    key      firma_ind
    TEXT     firma_kodu firma_adi musteri_satici firma_unvani_1 firma_unvani_2 firma_adresi_1
             firma_adresi_2 adres_semt adres_sehir vergi_dairesi vergi_no telefon1_no
             telefon2_no fax_no firma_sahibi firma_irtibat_kisi ikinci_adres1 ikinci_adres2
             ikinci_adres_semt ikinci_adres_sehir ikinci_adres_tel_no aciklama
)";

inline const char *const nakit = R"(
    key      nid
    INTEGER  cekid firmaid bankaid uye_kayit_no aidat_id isletme_id uye_kodu
    REAL     borc_tutar alacak_tutar doviz_borc doviz_alacak hes_doviz_borc hes_doviz_alacak
             kur_farki doviz_kuru fatura_KDV
    TEXT     firmakodu firmaadi bankakodu bankaadi neden doviz_cinsi hes_dov_cinsi aciklama
             fatura_no fatura_seri irsaliye_no irsaliye_seri uye_adi_soyadi dairesi blok kisim
             dis_kapi_no aidat_var isletme_var
    DATE     islem_tarihi islem_vadesi
)";

inline const char *const resimnakit = R"(
    key      rid
    INTEGER  nakidid cekid firmaid cirocekid bordroid
    TEXT     resimadi firmakodu firmaadi aciklama
    BLOB     resim
)";

inline const char *const carihareket = R"(
    key      chid
    INTEGER  cek_id nakit_id cek_iade_id cek_ciro_id bosint1 bosint2 bosint3
    REAL     borc_tutari alacak_tutari brut_tutar vade_fark cek_masraf komisyon doviz_alacak
             doviz_borc hes_doviz_alacak hes_doviz_borc kur_farki BSMV bostutar1 bostutar2
             bostutar3 doviz_kuru fatura_KDV
    TEXT     cari_kodu cari_hesap_adi aciklama doviz_cinsi hes_dov_cinsi vade_farki_dus
             masraf_dus BSMV_dus fatura_no fatura_seri irsaliye_no irsaliye_seri islemturu
             bostext1 bostext2 bostext3
    DATE     islem_tarihi vade_tarihi
)";

// Every table each template must hold.
inline const QList<TemplateFile> &templateFiles()
{
    static const QList<TemplateFile> files = {
        {kGenel, {{"firmabilgi", firmabilgi}, {"sifre", sifre}, {"master", master}}},
        {kSite,
         {{"firmabilgi", firmabilgi},
          {"siciltablo", siciltablo},
          {"sicilcarihar", sicilcarihar},
          {"aiadataktar", aiadataktar},
          {"borcalacak", borcalacak},
          {"bankaaktar", bankaaktar},
          {"bulunmayan", bulunmayan},
          {"isletgelir", isletgelir},
          {"isletgider", isletgider},
          {"gelirtur", gelirtur},
          {"gidertur", gelirtur}, // the expense types have the same columns
          {"stoktur", stoktur},
          {"firma", firma}}},
        {kKasa, {{"nakit", nakit}, {"resimnakit", resimnakit}, {"carihareket", carihareket}}},
    };
    return files;
}

} // namespace dalvira::test::schema
