// The build on a failing disk: a description that cannot be read back or
// deleted, a disk that fills up. Neither is a fault of the description: the
// run ends with status 3, names the file and the system's reason, and replaces
// none of the files that stay. A description that is really missing keeps its
// code.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "app/costruzione.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"

namespace {

const scenario predefinito;

// The files that a build leaves, each holding "vecchio" before the run.
std::vector<std::string> file_che_restano() {
  return {nome_note(predefinito),
          nome_rallentamenti(predefinito),
          nome_scheda_treno(predefinito),
          nome_geometria_linea(predefinito),
          nome_tabella_stazioni(predefinito),
          nome_tabella_celle(predefinito)};
}

const std::string linea = nome_descrizione_linea(predefinito);
const std::string treno = nome_descrizione_treno(predefinito);

struct caso_disco {
  const char* descrizione;
  void (*guasta)(cartella_memoria&);
  int uscita;
  const char* errori;  // after "Attendere"
  bool sostituiti;     // whether the files that stay are new
  // The system's error whose reason ends the message, in the language of the
  // run (the tests' own, known only once they run); 0 for none.
  int motivo = 0;
};

void PrintTo(const caso_disco& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class BuildSuDiscoGuasto : public ::testing::TestWithParam<caso_disco> {};

TEST_P(BuildSuDiscoGuasto, NonSostituisceNullaENominaIlFile) {
  const caso_disco& caso = GetParam();
  cartella_memoria c;
  for (const std::string& nome : file_che_restano()) c.file[nome] = "vecchio";
  caso.guasta(c);
  std::ostringstream uscita, errori;
  EXPECT_EQ(costruisci_scenario(predefinito, c, uscita, errori), caso.uscita);
  // Only what was replaced is listed as written.
  EXPECT_EQ(uscita.str().empty(), !caso.sostituiti) << uscita.str();
  std::string atteso = std::string("Attendere\n") + caso.errori;
  if (caso.motivo != 0)
    atteso += std::string(std::strerror(caso.motivo)) + "\n";
  EXPECT_EQ(errori.str(), atteso);
  for (const std::string& nome : file_che_restano()) {
    ASSERT_TRUE(c.esiste(nome)) << nome;
    EXPECT_EQ(c.file[nome] != "vecchio", caso.sostituiti) << nome;
  }
  // No temporary file is left; a description stays only where the disk
  // refused its deletion.
  for (const auto& [nome, contenuto] : c.file) {
    EXPECT_NE(nome[0], '.') << nome;
    if (nome == linea || nome == treno) {
      EXPECT_TRUE(c.guasti_cancellazione.count(nome)) << nome;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, BuildSuDiscoGuasto,
    ::testing::Values(
        caso_disco{"lettura_della_linea",
                   [](cartella_memoria& c) { c.guasti_lettura[linea] = EIO; },
                   3, "memoria/Valdora_Cesina_linea.txt: ", false, EIO},
        caso_disco{"lettura_del_treno",
                   [](cartella_memoria& c) { c.guasti_lettura[treno] = EIO; },
                   3, "memoria/Valdora_Cesina_KT52806-.txt: ", false, EIO},
        caso_disco{
            "cancellazione_della_linea",
            [](cartella_memoria& c) { c.guasti_cancellazione[linea] = EIO; }, 3,
            "memoria/Valdora_Cesina_linea.txt: ", false, EIO},
        caso_disco{
            "cancellazione_del_treno",
            [](cartella_memoria& c) { c.guasti_cancellazione[treno] = EIO; }, 3,
            "memoria/Valdora_Cesina_KT52806-.txt: ", false, EIO},
        caso_disco{
            "lettura_negata",
            [](cartella_memoria& c) { c.guasti_lettura[linea] = EACCES; }, 3,
            "memoria/Valdora_Cesina_linea.txt: ", false, EACCES},
        // Only the plan, 1,379,964 bytes, does not fit: the documents and the
        // other binary files were written but replace nothing either.
        caso_disco{"disco_pieno_al_piano",
                   [](cartella_memoria& c) { c.limite_scrittura = 1000000; }, 3,
                   "memoria/Valdora_Cesina_linea.dat: ", false, ENOSPC},
        // A train-run description that is gone when the reader wants it is the
        // reading's own failure, code 25: the files are written.
        caso_disco{
            "treno_mancante",
            [](cartella_memoria& c) { c.guasti_lettura[treno] = ENOENT; }, 1,
            "memoria/Valdora_Cesina_KT52806-.txt: errore 25: errore di "
            "lettura della descrizione (valore non valido o fuori "
            "misura, file mancante o finito prima del tempo)\n",
            true}),
    [](const auto& info) { return std::string(info.param.descrizione); });

}  // namespace
