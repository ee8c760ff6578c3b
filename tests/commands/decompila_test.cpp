// The `decompile` command, run as a user runs it: binary files in, two
// descriptions out, and `compile` back to the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

const char* const binari[] = {"Valdora_Cesina_linea.dat",
                              "Valdora_Cesina_KT52806.sim",
                              "Valdora_Cesina_KT52806.dat"};
const char* const descrizioni[] = {"Valdora_Cesina_linea.txt",
                                   "Valdora_Cesina_KT52806-.txt"};

int decompila(const std::string& da, const std::string& a,
              const std::string& altro, std::string* uscita = nullptr,
              std::string* errori = nullptr) {
  return esegui(virgolette(programma) + " decompile " + virgolette(da) +
                    " --out " + virgolette(a) + " " + altro,
                uscita, errori);
}

// Compiles the descriptions that decompile wrote in `da` again, into `a`.
int ricompila(const std::string& da, const std::string& a,
              const std::string& altro, std::string* errori = nullptr) {
  return esegui(virgolette(programma) + " compile " +
                    virgolette(da + "/Valdora_Cesina_linea.txt") + " " +
                    virgolette(da + "/Valdora_Cesina_KT52806-.txt") +
                    " --out " + virgolette(a) + " " + altro,
                nullptr, errori);
}

// The files of the default build, made by the program itself, and those of
// the small fixture.
class Decompila : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    costruzione_ = new cartella_temporanea;
    fs::copy_file(programma, costruzione_->percorso() / "scenario_builder");
    ASSERT_EQ(esegui(virgolette(*costruzione_ / "scenario_builder")), 0);
    fs::remove(costruzione_->percorso() / "scenario_builder");
    piccola_ = new cartella_temporanea;
    ASSERT_EQ(esegui(virgolette(programma) + " compile " +
                     virgolette(fixture("piccola/linea.txt")) + " " +
                     virgolette(fixture("piccola/treno.txt")) + " --out " +
                     virgolette(piccola_->percorso())),
              0);
  }
  static void TearDownTestSuite() {
    delete costruzione_;
    delete piccola_;
  }

  // A folder with the default build's three binary files.
  static void copia_binari(const cartella_temporanea& a) {
    for (const char* nome : binari)
      fs::copy_file(costruzione_->percorso() / nome, a.percorso() / nome);
  }

  static cartella_temporanea* costruzione_;
  static cartella_temporanea* piccola_;
};

cartella_temporanea* Decompila::costruzione_ = nullptr;
cartella_temporanea* Decompila::piccola_ = nullptr;

TEST_F(Decompila, DallaCostruzionePredefinitaAgliStessiByte) {
  cartella_temporanea testi, di_nuovo;
  std::string scritto, errori;
  ASSERT_EQ(decompila(costruzione_->percorso(), testi.percorso(), "", &scritto,
                      &errori),
            0)
      << errori;
  EXPECT_EQ(errori, "");
  EXPECT_EQ(scritto,
            testi / descrizioni[0] + "\n" + testi / descrizioni[1] + "\n");
  for (const char* nome : descrizioni) {
    const std::string testo = leggi_tutto(testi / nome);
    // Windows-1252 with CR LF: every LF follows a CR, the station "Magrè"
    // is one byte 0xE8.
    EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'),
              static_cast<long>(righe_crlf(testo).size()) - 1);
    EXPECT_EQ(testo.substr(testo.size() - 8), "[fine]\r\n");
  }
  EXPECT_NE(leggi_tutto(testi / descrizioni[1]).find("Magr\xE8/ Magreid"),
            std::string::npos);
  ASSERT_EQ(ricompila(testi.percorso(), di_nuovo.percorso(), "", &errori), 0)
      << errori;
  for (const char* nome : binari) {
    EXPECT_EQ(leggi_tutto(di_nuovo / nome), leggi_tutto(*costruzione_ / nome))
        << nome;
  }
}

TEST_F(Decompila, DescrizioniPresentiSostituiteSoloACommando) {
  cartella_temporanea testi;
  ASSERT_EQ(decompila(costruzione_->percorso(), testi.percorso(), ""), 0);
  const std::string prima = leggi_tutto(testi / descrizioni[1]);
  scrivi_tutto(testi / descrizioni[0], "mia");
  std::string errori;
  EXPECT_EQ(decompila(costruzione_->percorso(), testi.percorso(), "", nullptr,
                      &errori),
            3);
  // Each description already there is named.
  EXPECT_EQ(errori, testi / descrizioni[0] + ": esiste gi\xC3\xA0\n" +
                        testi / descrizioni[1] +
                        ": esiste gi\xC3\xA0\nnessun file scritto: le "
                        "descrizioni esistenti si sostituiscono solo con "
                        "--force\n");
  EXPECT_EQ(leggi_tutto(testi / descrizioni[0]), "mia");
  EXPECT_EQ(decompila(costruzione_->percorso(), testi.percorso(), "--force"),
            0);
  EXPECT_EQ(leggi_tutto(testi / descrizioni[1]), prima);
  EXPECT_NE(leggi_tutto(testi / descrizioni[0]), "mia");
  EXPECT_EQ(elenco(testi.percorso()),
            (std::vector<std::string>{descrizioni[1], descrizioni[0]}));
}

// The descriptions go into a folder made for them when it is missing (only
// the last folder of the path).
TEST_F(Decompila, CartellaDelleDescrizioniCreata) {
  cartella_temporanea sopra;
  EXPECT_EQ(decompila(costruzione_->percorso(), sopra / "nuova", ""), 0);
  EXPECT_EQ(elenco(sopra.percorso() / "nuova"),
            (std::vector<std::string>{descrizioni[1], descrizioni[0]}));
  std::string errori;
  EXPECT_EQ(decompila(costruzione_->percorso(), sopra / "manca/nuova", "",
                      nullptr, &errori),
            3);
  EXPECT_EQ(errori,
            sopra / "manca/nuova" + ": cartella di uscita non trovata\n");
}

// Files renamed after compiling keep the names they were compiled with in
// their records, and those give the competition codes: the output says which
// names to compile the descriptions with. A folder with one scenario names
// it without --line-name and --train-code.
TEST_F(Decompila, FileRinominatiConINomiDeiRecord) {
  cartella_temporanea rinominati, testi, di_nuovo, dalla_cartella;
  const std::pair<const char*, const char*> nomi[] = {
      {binari[0], "Altra_linea.dat"},
      {binari[1], "Altra_T1.sim"},
      {binari[2], "Altra_T1.dat"}};
  for (const auto& [da, a] : nomi)
    fs::copy_file(costruzione_->percorso() / da, rinominati.percorso() / a);
  std::string scritto;
  ASSERT_EQ(decompila(rinominati.percorso(), testi.percorso(),
                      "--line-name Altra --train-code T1", &scritto),
            0);
  EXPECT_NE(scritto.find("\"Valdora_Cesina\" e \"KT52806\": compilare con "
                         "--line-name e --train-code uguali"),
            std::string::npos)
      << scritto;
  EXPECT_EQ(elenco(testi.percorso()),
            (std::vector<std::string>{"Altra_T1-.txt", "Altra_linea.txt"}));
  ASSERT_EQ(esegui(virgolette(programma) + " compile " +
                   virgolette(testi / "Altra_linea.txt") + " " +
                   virgolette(testi / "Altra_T1-.txt") + " --out " +
                   virgolette(di_nuovo.percorso())),
            0);
  for (const char* nome : binari) {
    EXPECT_EQ(leggi_tutto(di_nuovo / nome), leggi_tutto(*costruzione_ / nome))
        << nome;
  }
  ASSERT_EQ(decompila(rinominati.percorso(), dalla_cartella.percorso(), ""), 0);
  for (const char* nome : {"Altra_T1-.txt", "Altra_linea.txt"})
    EXPECT_EQ(leggi_tutto(dalla_cartella / nome), leggi_tutto(testi / nome));
}

// A scenario compiled without its plan: no curve line, a comment that says
// so, and `--no-plan` to compile it back.
TEST_F(Decompila, SenzaPianoNessunaCurva) {
  cartella_temporanea binari_piccola, testi, di_nuovo;
  ASSERT_EQ(esegui(virgolette(programma) + " compile " +
                   virgolette(fixture("piccola/linea.txt")) + " " +
                   virgolette(fixture("piccola/treno.txt")) + " --no-plan" +
                   " --out " + virgolette(binari_piccola.percorso())),
            0);
  std::string scritto;
  ASSERT_EQ(
      decompila(binari_piccola.percorso(), testi.percorso(), "", &scritto), 0);
  EXPECT_NE(scritto.find("compilare con --no-plan"), std::string::npos);
  const std::string linea = leggi_tutto(testi / descrizioni[0]);
  EXPECT_EQ(linea.find("curva"), std::string::npos);
  EXPECT_NE(linea.find("- senza il file del piano"), std::string::npos);
  ASSERT_EQ(ricompila(testi.percorso(), di_nuovo.percorso(), "--no-plan"), 0);
  for (const char* nome : {binari[1], binari[2]}) {
    EXPECT_EQ(leggi_tutto(di_nuovo / nome), leggi_tutto(binari_piccola / nome))
        << nome;
  }
  EXPECT_FALSE(fs::exists(di_nuovo.percorso() / binari[0]));
}

// Files that no description compiles to are reported where they differ,
// with the descriptions still written (exit 1); files that cannot be read,
// do not decode or disagree with each other stop the command (exit 3).
TEST_F(Decompila, FileCheNessunaDescrizioneSpiega) {
  struct caso {
    const char* nome;
    const char* file;
    std::function<std::string(std::string)> cambia;
    int uscita;
    std::string messaggio;  // after the folder's path
  };
  const caso casi[] = {
      {"tipo_di_cella_sconosciuto", binari[2],
       [](std::string d) { return d.replace(40 * 15, 1, "\x07"); }, 1,
       "/Valdora_Cesina_KT52806.dat: cella 40 (1950 m): tipo 7 (tipo 7"},
      {"valore_riservato_cambiato", binari[1],
       [](std::string d) {
         // campo7 of record 85 is the last 610 (62 02) of the table.
         d[d.rfind("\x62\x02")] = 0x63;
         return d;
       },
       1, "/Valdora_Cesina_KT52806.sim: record 85: valore riservato 611\n"},
      {"celle_troncate", binari[2],
       [](std::string d) { return d.substr(0, 31); }, 3,
       "/Valdora_Cesina_KT52806.dat: errore di decodifica al byte 30: cella "
       "incompleta\n"},
      {"celle_meno_del_percorso", binari[2],
       [](std::string d) { return d.substr(0, d.size() - 15); }, 3,
       "/Valdora_Cesina_KT52806.dat: file non coerente con gli altri al "
       "byte 20700: file troncato: 1381 celle attese, 1380 nel file\n"},
      {"piano_di_un_altro_percorso", binari[0],
       [](std::string) { return leggi_tutto(*piccola_ / binari[0]); }, 3,
       "/Valdora_Cesina_linea.dat: file non coerente con gli altri al byte "
       "299964: file troncato: 69001 coordinate per asse attese, 15001 nel "
       "file\n"},
      {"stazioni_mancanti", binari[1], nullptr, 3,
       "/Valdora_Cesina_KT52806.sim: "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea file, testi;
    copia_binari(file);
    const std::string via = file / c.file;
    if (c.cambia) {
      scrivi_tutto(via, c.cambia(leggi_tutto(via)));
    } else {
      fs::remove(via);
    }
    std::string errori;
    EXPECT_EQ(decompila(file.percorso(), testi.percorso(),
                        "--line-name Valdora_Cesina --train-code KT52806",
                        nullptr, &errori),
              c.uscita);
    EXPECT_EQ(errori.rfind(file.percorso().string() + c.messaggio, 0), 0u)
        << errori;
    // Unexplained content still gives both descriptions; a file that stops
    // the command gives none.
    EXPECT_EQ(elenco(testi.percorso()).size(), c.uscita == 1 ? 2u : 0u);
  }
}

}  // namespace
