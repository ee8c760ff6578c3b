// Replacing a file: the new content arrives whole or not at all.
#include "platform/sostituzione.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "aiuti.h"
#include "platform/cartella_memoria.h"
#include "platform/cartella_reale.h"

namespace {

struct caso_guasto {
  const char* descrizione;
  bool sola_lettura;
  std::size_t limite;
  const char* motivo;
};

// Tests print the case by its name.
void PrintTo(const caso_guasto& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class SostituzioneFallita : public ::testing::TestWithParam<caso_guasto> {};

TEST_P(SostituzioneFallita, LasciaIlVecchioFileIntatto) {
  const caso_guasto& caso = GetParam();
  cartella_memoria c;
  c.file["a.txt"] = "vecchio contenuto";
  c.sola_lettura = caso.sola_lettura;
  c.limite_scrittura = caso.limite;

  esito_file esito = sostituisci_file(c, "a.txt", [](scrittore_file& s) {
    const std::string nuovo(100, 'n');
    s.scrivi(nuovo.data(), nuovo.size());
  });

  EXPECT_FALSE(esito.ok);
  EXPECT_EQ(esito.percorso, "memoria/a.txt");
  EXPECT_EQ(esito.motivo, caso.motivo);
  EXPECT_EQ(c.file.size(), 1u);  // no temporary file is left behind
  EXPECT_EQ(c.file["a.txt"], "vecchio contenuto");
}

INSTANTIATE_TEST_SUITE_P(
    Guasti, SostituzioneFallita,
    ::testing::Values(caso_guasto{"cartella_di_sola_lettura", true,
                                  std::size_t(-1), "Read-only file system"},
                      caso_guasto{"disco_pieno", false, 10,
                                  "No space left on device"}),
    [](const auto& info) { return std::string(info.param.descrizione); });

TEST(Sostituzione, ScriveIlNuovoContenutoAlPostoDelVecchio) {
  cartella_memoria c;
  c.file["a.txt"] = std::string(1000, 'v');
  EXPECT_TRUE(sostituisci_file(c, "a.txt", [](scrittore_file& s) {
                s.scrivi("nuovo", 5);
              }).ok);
  EXPECT_EQ(c.file.size(), 1u);
  EXPECT_EQ(c.file["a.txt"], "nuovo");
  EXPECT_EQ(c.scritti, std::vector<std::string>{"a.txt"});
}

TEST(Sostituzione, OgniSostituzioneHaUnNomeTemporaneoSuo) {
  const std::string primo = nome_temporaneo("a.dat");
  const std::string secondo = nome_temporaneo("a.dat");
  EXPECT_NE(primo, secondo);
  EXPECT_EQ(primo.rfind(".a.dat.", 0), 0u) << primo;
}

TEST(Sostituzione, CreareNonApreMaiUnNomeGiaPreso) {
  // A temporary name that is already taken, by a file or by a link planted to
  // point elsewhere, is refused, and nothing is written through it.
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "bersaglio", "intatto");
  scrivi_tutto(cartella / ".a.txt.file", "altrui");
  std::filesystem::create_symlink(cartella / "bersaglio",
                                  cartella / ".a.txt.link");
  cartella_reale c(cartella.percorso().string());
  for (const char* nome : {".a.txt.file", ".a.txt.link"}) {
    std::unique_ptr<scrittore_file> scrittore;
    const esito_file esito = c.crea(nome, "a.txt", scrittore);
    EXPECT_FALSE(esito.ok) << nome;
    EXPECT_EQ(esito.errno_sistema, EEXIST) << nome;
  }
  EXPECT_EQ(leggi_tutto(cartella / "bersaglio"), "intatto");
  EXPECT_EQ(leggi_tutto(cartella / ".a.txt.file"), "altrui");
}

}  // namespace
