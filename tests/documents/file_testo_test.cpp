// The five text files of the scenario, written into a real folder and read back
// whole.
#include <gtest/gtest.h>

#include <string>

#include "aiuti.h"
#include "core/scenario.h"
#include "core/scrittura_testo.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "line/dati_linea.h"
#include "platform/cartella_reale.h"
#include "train_run/dati_treno.h"

namespace {

struct caso_file {
  const char* descrizione;
  std::string (*nome)(const scenario&);
  std::vector<std::string> (*righe_file)();
  const char* nome_file;
  const char* atteso;  // fixture with the exact bytes
  std::size_t righe;
  std::size_t byte;
};

// Tests print the case by its name.
void PrintTo(const caso_file& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class FileTesto : public ::testing::TestWithParam<caso_file> {};

TEST_P(FileTesto, ScriveEsattamenteLeRigheAttese) {
  const caso_file& caso = GetParam();
  cartella_temporanea cartella;
  cartella_reale reale(cartella.percorso().string());
  // An older, longer file of the same name must leave no trace.
  scrivi_tutto(cartella / caso.nome_file,
               std::string(10000, 'x') + "riferimento fine del file");

  ASSERT_TRUE(
      scrivi_file_testo(reale, caso.nome(scenario{}), caso.righe_file()).ok);

  const std::string scritto = leggi_tutto(cartella / caso.nome_file);
  EXPECT_EQ(scritto, leggi_tutto(fixture(caso.atteso)));
  EXPECT_EQ(scritto.size(), caso.byte);
  EXPECT_EQ(righe_crlf(scritto).size(),
            caso.righe + 1);  // the text after the last CR LF is empty
  EXPECT_EQ(scritto.find("riferimento fine del file"), std::string::npos);
  EXPECT_NE(scritto.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(elenco(cartella.percorso()),
            std::vector<std::string>{caso.nome_file});
}

INSTANTIATE_TEST_SUITE_P(
    CinqueFile, FileTesto,
    ::testing::Values(
        caso_file{"linea", nome_descrizione_linea, righe_linea,
                  "Valdora_Cesina_linea.txt", "attesi/linea.txt", 71, 2885},
        caso_file{"treno", nome_descrizione_treno, righe_treno,
                  "Valdora_Cesina_KT52806-.txt", "attesi/treno.txt", 56, 2686},
        caso_file{"scheda", nome_scheda_treno, righe_scheda,
                  "Valdora_Cesina_KT52806_scheda_treno.txt",
                  "attesi/scheda.txt", 50, 3818},
        caso_file{"rallentamenti", nome_rallentamenti, righe_rallentamenti,
                  "Valdora_Cesina_KT52806_rallentamenti.txt",
                  "attesi/rallentamenti.txt", 4, 46}),
    [](const auto& info) { return std::string(info.param.descrizione); });

TEST(FileTesto, ByteSegnalatiDelleRigheSpeciali) {
  const auto treno = righe_treno();
  EXPECT_EQ(treno[4], "orologio,    9               56            20 ");
  EXPECT_EQ(treno[24].find('\xE8'), treno[24].find("/ Magreid") - 1);
  const auto scheda = righe_scheda();
  EXPECT_NE(scheda[18].find("realt\xE0 il treno"), std::string::npos);
  EXPECT_EQ(scheda[4].substr(0, 20), " |   TRENO n.52806  ");
}

TEST(FileTesto, NoteConIntestazioneEsattaEProsaStrutturata) {
  cartella_temporanea cartella;
  cartella_reale reale(cartella.percorso().string());
  ASSERT_TRUE(scrivi_file_testo(reale, nome_note(scenario{}), righe_note()).ok);
  const auto righe =
      righe_crlf(leggi_tutto(cartella / "Valdora_Cesina_KT52806_note.txt"));
  ASSERT_EQ(righe.size(), 29u);
  EXPECT_EQ(righe[28], "");
  EXPECT_EQ(righe[0].rfind("AUTORE: ", 0), 0u);
  EXPECT_GT(righe[0].size(), 8u);
  EXPECT_EQ(righe[1].rfind("INDIRIZZO EMAIL: ", 0), 0u);
  EXPECT_NE(righe[1].find('@'), std::string::npos);
  EXPECT_EQ(righe[2], "NUMERO PROGRESSIVO SCENARIO: 1");
  EXPECT_EQ(righe[3], "DATA REALIZZAZIONE SCENARIO: 24.03.2001");
  EXPECT_EQ(righe[4], "");
  std::string accentate;
  for (int n = 5; n < 28; ++n) {
    SCOPED_TRACE(righe[n]);
    EXPECT_FALSE(righe[n].empty());
    EXPECT_LE(righe[n].size(), 96u);
    for (unsigned char c : righe[n]) {
      if (c >= 0x80) {
        EXPECT_TRUE(c == 0xE0 || c == 0xE8 || c == 0xF2 || c == 0xF9) << int(c);
        accentate += static_cast<char>(c);
      }
    }
  }
  for (char lettera : std::string("\xE0\xE8\xF2\xF9")) {
    EXPECT_NE(accentate.find(lettera), std::string::npos);
  }
  // The four paragraphs start on lines 6, 10, 18 and 24, each with a capital
  // letter.
  for (int inizio : {5, 9, 17, 23}) {
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(righe[inizio][0])))
        << righe[inizio];
  }
  // A paragraph's last line ends its sentence; the lines before it do not start
  // a new paragraph.
  for (int fine : {8, 16, 22, 27})
    EXPECT_EQ(righe[fine].back(), fine == 27 ? '!' : '.');
}

}  // namespace
