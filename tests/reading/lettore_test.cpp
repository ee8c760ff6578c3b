// The field reader: fields, numbers of each width, line ends, the end of the
// file.
#include "reading/lettore.h"

#include <gtest/gtest.h>

#include <variant>

#include "reading/parole_chiave.h"

namespace {

// One read: a text, or a number of a width (L = Long, I = Integer, B = Byte).
// `valido` false means the read must fail.
struct lettura {
  char tipo;  // 'T', 'L', 'I', 'B'
  bool valido;
  std::string testo;
  int64_t numero;
  int riga;
};

lettura T(std::string testo, int riga) {
  return {'T', true, std::move(testo), 0, riga};
}
lettura N(char tipo, int64_t numero, int riga) {
  return {tipo, true, "", numero, riga};
}
lettura NO(char tipo) { return {tipo, false, "", 0, 0}; }

struct caso {
  const char* nome;
  std::string testo;
  std::vector<lettura> letture;
  bool fine;  // the end of the file after the reads
};

TEST(Lettore, CampiTabellaDiCasi) {
  const caso casi[] = {
      {"virgole_e_righe", "a, b\r\nc", {T("a", 1), T("b", 1), T("c", 2)}, true},
      {"fine_riga_sola",
       "a\nb\rc\r\n",
       {T("a", 1), T("b", 2), T("c", 3)},
       true},
      {"blank_ai_lati", " \t abc \t,d e ", {T("abc", 1), T("d e", 1)}, true},
      {"riga_vuota", "a\r\n\r\nb", {T("a", 1), T("", 2), T("b", 3)}, true},
      {"virgolette", "\"x, y\" zz, w\r\n", {T("x, y", 1), T("w", 1)}, true},
      {"virgolette_fra_righe",
       "\"a\r\nb\",c",
       {T("a\r\nb", 1), T("c", 2)},
       true},
      {"numeri",
       "12, -4,+5,  ,7\r\n",
       {N('L', 12, 1), N('L', -4, 1), N('L', 5, 1), N('L', 0, 1), N('L', 7, 1)},
       true},
      {"numeri_separati_da_blank",
       "9   56\t20 \r\n[fine]",
       {N('I', 9, 1), N('I', 56, 1), N('I', 20, 1), T("[fine]", 2)},
       true},
      {"numero_poi_testo_sulla_riga",
       "12 abc\r\n",
       {N('L', 12, 1), T("abc", 1)},
       true},
      {"limiti_delle_misure",
       "2147483647,-2147483648,32767,-32768,255,0",
       {N('L', 2147483647, 1), N('L', -2147483648LL, 1), N('I', 32767, 1),
        N('I', -32768, 1), N('B', 255, 1), N('B', 0, 1)},
       true},
      {"long_troppo_grande", "2147483648", {NO('L')}, true},
      {"intero_troppo_grande", "32768", {NO('I')}, true},
      {"byte_negativo", "-1", {NO('B')}, true},
      {"byte_256", "256", {NO('B')}, true},
      {"cifre_senza_fine", "99999999999999999999999", {NO('L')}, true},
      {"lettere_attaccate", "12abc", {NO('L')}, true},
      {"punto_decimale", "1.5", {NO('L')}, true},
      {"solo_segno", "-,", {NO('L')}, false},
      {"due_segni", "+-5", {NO('L')}, true},
      {"lettura_dopo_la_fine", "a", {T("a", 1), NO('T')}, true},
      {"file_vuoto", "", {NO('T')}, true},
      // After a failure every read fails, even one that would succeed.
      {"guasto_persistente", "x,5", {NO('L'), NO('L')}, false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    lettore l;
    l.testo = c.testo;
    for (const lettura& atteso : c.letture) {
      bool riuscita;
      std::string testo = "invariato";
      int64_t numero = 1234;
      if (atteso.tipo == 'T') {
        riuscita = leggi_testo(l, testo);
      } else if (atteso.tipo == 'L') {
        int32_t v = 1234;
        riuscita = leggi_long(l, v);
        numero = v;
      } else if (atteso.tipo == 'I') {
        int16_t v = 1234;
        riuscita = leggi_intero(l, v);
        numero = v;
      } else {
        uint8_t v = 123;
        riuscita = leggi_byte(l, v);
        numero = v == 123 ? 1234 : v;
      }
      EXPECT_EQ(riuscita, atteso.valido);
      if (!atteso.valido) {
        EXPECT_TRUE(l.guasto);
        EXPECT_EQ(testo, "invariato");
        EXPECT_EQ(numero, 1234);
        continue;
      }
      if (atteso.tipo == 'T') {
        EXPECT_EQ(testo, atteso.testo);
      } else {
        EXPECT_EQ(numero, atteso.numero);
      }
      EXPECT_EQ(l.riga_campo, atteso.riga);
    }
    EXPECT_EQ(fine_file(l), c.fine);
  }
}

TEST(ParoleChiave, RiconoscimentoPerSottostringhe) {
  struct caso {
    const char* campo;
    parola chiave;
    bool riconosciuta;
  };
  const caso casi[] = {
      {"[GENERALE]", parola::generale, true},
      {"LUNGHEZZA PERCORSO", parola::lunghezza_percorso, true},
      {"progressiva chilometrica uno", parola::progressiva_uno, true},
      {"Progressiva chilometrica uno", parola::progressiva_uno,
       false},  // exact case
      {"sfondo Uno", parola::sfondo_uno, false},
      {"ripetizione segnali 9 codici", parola::ripetizione_segnali, true},
      {"VELOCIT\xC0", parola::velocita, true},  // accented last letter
      {"[vel_limite]", parola::velocita, false},
      {"[aderenze]", parola::aderenza, false},
      {"[stazioni]", parola::stazione, false},
      {"[segnali]", parola::segnale, false},
      {"[rallentamenti]", parola::rallentamento, false},
      {"[curve]", parola::curva, false},
      {"[pendenze]", parola::pendenza, false},
      {"[montagne]", parola::montagna, false},
      {"[cartelli]", parola::cartello_indicatore, false},
      {"[indicazioni]", parola::indicatori_vmax, false},
      {"indicatori_vmax", parola::cartello_indicatore, false},
      {"cartello_indicatore", parola::indicatori_vmax, false},
      {"Cartello_Indicatore", parola::cartello_indicatore, true},
      {"curvapendenza", parola::pendenza, true},
      {"curvapendenza", parola::curva, true},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(riconosce(c.chiave, c.campo), c.riconosciuta) << c.campo;
  }
}

}  // namespace
