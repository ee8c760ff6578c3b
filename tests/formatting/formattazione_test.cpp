// The formatter's guarantee: what it writes compiles to the same bytes, with
// the same outcome and recorded fault, as what it was given; it is its own
// fixed point; the blanks typed between values do not change its result; and
// where a change would alter what the reader takes, the text stays as written.
#include "formatting/formattazione.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "../aiuti.h"
#include "../decompiler/generatore.h"
#include "commands/scenario_iniziale.h"
#include "line/dati_linea.h"
#include "prova_formattazione.h"
#include "train_run/dati_treno.h"

namespace {

std::string crlf(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& riga : righe) testo += riga + "\r\n";
  return testo;
}

TEST(Formattazione, OgniFixtureELoScenarioPredefinitoCompilanoUguali) {
  const std::pair<std::string, std::string> coppie[] = {
      {leggi_tutto(fixture("attesi/linea.txt")),
       leggi_tutto(fixture("attesi/treno.txt"))},
      {leggi_tutto(fixture("piccola/linea.txt")),
       leggi_tutto(fixture("piccola/treno.txt"))},
      {leggi_tutto(fixture("piccola/linea.txt")),
       leggi_tutto(fixture("errate/treno.txt"))},
      {crlf(righe_linea()), crlf(righe_treno())},
      {crlf(righe_linea_iniziale()), crlf(righe_treno_iniziale())},
  };
  for (const auto& [linea, treno] : coppie) {
    EXPECT_EQ(controlla_garanzia(linea, treno), "") << linea << treno;
    EXPECT_EQ(controlla_garanzia(formattato(linea), formattato(treno)), "");
  }
}

TEST(Formattazione, LoScenarioInizialeEGiaNellaFormaCanonica) {
  for (const auto& righe : {righe_linea_iniziale(), righe_treno_iniziale()})
    EXPECT_EQ(formattato(crlf(righe)), crlf(righe));
}

// What the layout does to single lines, each in a description of its own.
TEST(Formattazione, LaFormaCanonica) {
  const struct {
    const char* prima;
    const char* dopo;
  } casi[] = {
      // Columns by section; numbers to the right, names last.
      {"[generale]\r\npendenza,0,  0\r\npendenza,  2000 ,5\r\n[fine]\r\n",
       "[generale]\r\npendenza,    0, 0\r\npendenza, 2000, 5\r\n[fine]\r\n"},
      {"[generale]\ncartello_indicatore,500,  (A)\n"
       "cartello_indicatore,  6000, (B C)\n",
       "[generale]\r\ncartello_indicatore,  500, (A)\r\n"
       "cartello_indicatore, 6000, (B C)\r\n"},
      // Value texts as written: a sign, a case the reader tells apart, a
      // number split by a blank.
      {"[generale]\r\n Sfondo uno ,+5 \r\npendenza, 4 000, 12\r\n",
       "[generale]\r\nSfondo uno,    +5\r\npendenza,   4 000, 12\r\n"},
      // Comments as they are, at most one empty line, no blank at the ends.
      {"[generale]\r\n  - a comment, no  \r\n\r\n \r\n\r\n[fine]  \r\n",
       "[generale]\r\n- a comment, no\r\n\r\n[fine]\r\n"},
      // A comment with a comma is kept as it is, out of the columns.
      {"[generale]\r\npendenza, 100, 5\r\n- a,b  ,c\r\n",
       "[generale]\r\npendenza, 100, 5\r\n- a,b  ,c\r\n"},
      // A quoted text last keeps its commas and blanks.
      {"[generale]\r\ncartello_indicatore ,3000,  \"(P.L.,  KM 23)\"  \r\n",
       "[generale]\r\ncartello_indicatore, 3000, \"(P.L.,  KM 23)\"\r\n"},
      // Before [generale] everything is kept.
      {"a ,  b  \n[generale]\npendenza ,1, 2\n",
       "a ,  b  \n[generale]\r\npendenza, 1, 2\r\n"},
      // Windows-1252 bytes kept; a UTF-8 letter is one column.
      {"[generale]\r\nx, \xe0, 1\r\nx, 50, 1\r\n",
       "[generale]\r\nx,  \xe0, 1\r\nx, 50, 1\r\n"},
      {"[generale]\r\nx, \xc3\xa0\xc3\xa0, 1\r\nx, 100, 1\r\n",
       "[generale]\r\nx,  \xc3\xa0\xc3\xa0, 1\r\nx, 100, 1\r\n"},
  };
  for (const auto& c : casi) EXPECT_EQ(formattato(c.prima), c.dopo) << c.prima;
}

// Where a change would alter what the reader takes, the text stays as it is.
TEST(Formattazione, CioCheCambierebbeLaLetturaRestaComeScritto) {
  const char* casi[] = {
      // The second empty line is a value of `pendenza`: without it "5" would
      // be.
      "[generale]\r\nlunghezza percorso, 20000\r\n[p]\r\npendenza\r\n\r\n\r\n"
      "5\r\n[fine]\r\n",
      // After a value that is not a number the reading stops: all kept.
      "[generale]\r\nlunghezza percorso, 20000\r\n[p]\r\npendenza, 4.5,  3\r\n"
      "pendenza,   100,  3\r\n",
      // A quoted text that does not end its line, or runs over lines.
      "[generale]\r\ncartello_indicatore, 3000,   \"(A,B)\" x\r\n",
      "[generale]\r\nlunghezza percorso, 20000\r\n[i]\r\n"
      "cartello_indicatore, 3000,   \"(A,  \r\nB)   \r\n\r\n\r\n",
      // A trailing comma at the end of the file is not read as a field; a line
      // end after it would be.
      "[generale]\r\nlunghezza percorso,   20000\r\n[p]\r\npendenza, 100,  5,",
  };
  for (const char* c : casi) {
    const std::string dopo = formattato(c);
    EXPECT_EQ(controlla_garanzia(c, crlf(righe_treno_iniziale())), "") << c;
    EXPECT_EQ(controlla_garanzia(crlf(righe_linea_iniziale()), c), "") << c;
    EXPECT_EQ(formattato(dopo), dopo);
  }
  EXPECT_EQ(formattato(casi[0]), casi[0]);
  EXPECT_EQ(formattato(casi[1]),
            "[generale]\r\nlunghezza percorso, 20000\r\n[p]\r\n"
            "pendenza, 4.5,  3\r\npendenza,   100,  3\r\n");
  EXPECT_EQ(formattato(casi[2]), casi[2]);
  EXPECT_EQ(formattato(casi[3]), casi[3]);
}

TEST(Formattazione, CioCheNonEUnaDescrizioneERifiutato) {
  const std::string casi[] = {
      std::string("\xFF\xFE[\0g\0", 6),
      std::string("[generale]\r\n") + std::string(100, 'a') + '\0' + "x",
      std::string(dimensione_massima_formattazione + 1, ' '),
  };
  for (const std::string& c : casi) {
    const esito_formattazione f = formatta(c);
    EXPECT_TRUE(f.rifiutato);
    EXPECT_NE(f.motivo, nullptr);
  }
  EXPECT_FALSE(formatta("").rifiutato);
  EXPECT_EQ(formatta("").testo, "");
}

TEST(Formattazione, IlTipoSiRiconosceDalContenuto) {
  EXPECT_EQ(formatta(crlf(righe_linea_iniziale())).fonte,
            fonte_lettura::descrizione_linea);
  EXPECT_EQ(formatta(crlf(righe_treno_iniziale())).fonte,
            fonte_lettura::descrizione_treno);
}

// Random scenarios made hard for the reader, with and without faults.
TEST(Formattazione, ProprietaSuDescrizioniCasuali) {
  std::mt19937_64 g(20261211);
  int con_guasti = 0;
  // FORMATTA_SCENARI=n tries n scenarios instead of the quick default.
  const char* quanti = std::getenv("FORMATTA_SCENARI");
  const uint64_t scenari = quanti ? std::strtoull(quanti, nullptr, 10) : 120;
  for (uint64_t seme = 1; seme <= scenari; ++seme) {
    const scenario_casuale s = genera_scenario(seme);
    const bool guasti = seme % 2 == 0;
    const std::string linea = guasta(s.linea, g, guasti);
    const std::string treno = guasta(s.treno, g, guasti);
    con_guasti += compila_byte(linea, treno, true).codice_errore != 0;
    ASSERT_EQ(controlla_garanzia(linea, treno), "")
        << "seme " << seme << "\n--- linea\n"
        << linea << "\n--- treno\n"
        << treno;
  }
  // Faults must be among the cases, or the property says little of them.
  EXPECT_GE(con_guasti, 20);
}

// The reader's own delimiters and markers dropped at random into the starter:
// whatever the bytes, the formatted text compiles the same.
TEST(Formattazione, ProprietaSuByteMescolati) {
  std::mt19937_64 g(11);
  static constexpr char segni[] = {',', '"', '\r', '\n', ' ', '\t', '-',
                                   '[', ']', '0',  '5',  '+', 'x'};
  const char* quanti = std::getenv("FORMATTA_SCENARI");
  const uint64_t scenari = quanti ? std::strtoull(quanti, nullptr, 10) : 150;
  for (uint64_t volta = 0; volta < scenari; ++volta) {
    std::string testi[] = {crlf(righe_linea_iniziale()),
                           crlf(righe_treno_iniziale())};
    std::string& testo = testi[volta % 2];
    for (int k = std::uniform_int_distribution<int>(1, 12)(g); k > 0; --k) {
      const auto dove =
          std::uniform_int_distribution<std::size_t>(0, testo.size() - 1)(g);
      const char segno =
          segni[std::uniform_int_distribution<std::size_t>(0, 12)(g)];
      if (std::uniform_int_distribution<int>(0, 1)(g) == 0) {
        testo.insert(dove, 1, segno);
      } else {
        testo[dove] = segno;
      }
    }
    ASSERT_EQ(controlla_garanzia(testi[0], testi[1]), "")
        << "volta " << volta << "\n"
        << testo;
  }
}

TEST(Formattazione, IlRisultatoNonDipendeDagliSpaziTraIValori) {
  std::mt19937_64 g(7);
  const char* quanti = std::getenv("FORMATTA_SCENARI");
  const uint64_t scenari = quanti ? std::strtoull(quanti, nullptr, 10) : 60;
  for (uint64_t seme = 1; seme <= scenari; ++seme) {
    const scenario_casuale s = genera_scenario(seme);
    for (const auto& righe : {s.linea, s.treno}) {
      const std::string canonico = formattato(guasta(righe, g, false));
      const std::string altro = altri_spazi(canonico, g);
      ASSERT_EQ(formattato(altro), canonico) << "seme " << seme << "\n"
                                             << altro;
    }
  }
}

}  // namespace
