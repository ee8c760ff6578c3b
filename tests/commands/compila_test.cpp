// The `compile` and `check` commands on descriptions that an author wrote.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "aiuti.h"
#include "banco.h"

namespace fs = std::filesystem;

namespace {

std::string compila(const std::string& linea, const std::string& treno,
                    const std::string& altro) {
  return virgolette(programma) + " compile " + virgolette(linea) + " " +
         virgolette(treno) + " " + altro;
}

TEST(Compila, DescrizioniDellAutore) {
  cartella_temporanea uscita;
  const std::string linea = fixture("piccola/linea.txt");
  const std::string treno = fixture("piccola/treno.txt");
  const std::string prima_linea = leggi_tutto(linea);
  std::string scritto, errori;
  EXPECT_EQ(
      esegui(compila(linea, treno, "--out " + virgolette(uscita.percorso())),
             &scritto, &errori),
      0)
      << errori;
  EXPECT_EQ(errori, "");
  EXPECT_EQ(elenco(uscita.percorso()),
            (std::vector<std::string>{"Valdora_Cesina_KT52806.dat",
                                      "Valdora_Cesina_KT52806.sim",
                                      "Valdora_Cesina_linea.dat"}));
  EXPECT_EQ(scritto, uscita / "Valdora_Cesina_linea.dat" + "\n" +
                         uscita / "Valdora_Cesina_KT52806.sim" + "\n" +
                         uscita / "Valdora_Cesina_KT52806.dat" + "\n");
  EXPECT_EQ(leggi_tutto(linea), prima_linea);
  // 8000 m: N = 300, so 301 cells; the plan has 15000 + 1 metres a half.
  EXPECT_EQ(fs::file_size(uscita / "Valdora_Cesina_KT52806.dat"), 301u * 15);
  EXPECT_EQ(fs::file_size(uscita / "Valdora_Cesina_linea.dat"),
            2u * (10 * 8000 + 69982));
}

TEST(Compila, UgualeAllaCostruzionePredefinita) {
  cartella_temporanea costruzione, uscita, descrizioni;
  fs::copy_file(programma, costruzione.percorso() / "scenario_builder");
  ASSERT_EQ(esegui(virgolette(costruzione / "scenario_builder")), 0);
  scrivi_tutto(descrizioni / "l.txt", testo_di(righe_linea()));
  scrivi_tutto(descrizioni / "t.txt", testo_di(righe_treno()));
  ASSERT_EQ(esegui(compila(descrizioni / "l.txt", descrizioni / "t.txt",
                           "--out " + virgolette(uscita.percorso()))),
            0);
  for (const char* nome :
       {"Valdora_Cesina_linea.dat", "Valdora_Cesina_KT52806.sim",
        "Valdora_Cesina_KT52806.dat"}) {
    EXPECT_EQ(leggi_tutto(uscita / nome), leggi_tutto(costruzione / nome))
        << nome;
  }
}

TEST(Compila, FileDellUtenteConINomiDelCompilatoreRestanoIntatti) {
  cartella_temporanea cartella;
  const std::string linea = cartella / "Valdora_Cesina_linea.txt";
  const std::string treno = cartella / "Valdora_Cesina_KT52806-.txt";
  fs::copy_file(fixture("piccola/linea.txt"), linea);
  fs::copy_file(fixture("piccola/treno.txt"), treno);
  const std::string contenuto_linea = leggi_tutto(linea);
  const std::string contenuto_treno = leggi_tutto(treno);
  std::string errori;
  ASSERT_EQ(esegui("cd " + virgolette(cartella.percorso()) + " && " +
                       compila("Valdora_Cesina_linea.txt",
                               "Valdora_Cesina_KT52806-.txt", "--no-plan"),
                   nullptr, &errori),
            0)
      << errori;
  EXPECT_EQ(leggi_tutto(linea), contenuto_linea);
  EXPECT_EQ(leggi_tutto(treno), contenuto_treno);
  // No geometry file, and nothing left behind but the two binary files.
  EXPECT_EQ(elenco(cartella.percorso()),
            (std::vector<std::string>{
                "Valdora_Cesina_KT52806-.txt", "Valdora_Cesina_KT52806.dat",
                "Valdora_Cesina_KT52806.sim", "Valdora_Cesina_linea.txt"}));
}

// A description stored under the name of an output file: as that name or as
// another name of the same file it would be replaced, so the run is refused
// (64) and nothing is written; a link under that name is replaced itself and
// the description stays as it was.
TEST(Compila, DescrizioneSottoIlNomeDiUnUscita) {
  const struct {
    const char* come;
    int esito;
  } casi[] = {{"stesso nome", 64}, {"collegamento fisico", 64},
              {"collegamento simbolico", 0}};
  for (const auto& caso : casi) {
    cartella_temporanea cartella;
    const std::string linea = cartella / "l.txt";
    const std::string treno = cartella / "t.txt";
    fs::copy_file(fixture("piccola/linea.txt"), linea);
    fs::copy_file(fixture("piccola/treno.txt"), treno);
    const std::string uscita = cartella / "o";
    fs::create_directory(uscita);
    const std::string sim = uscita + "/Valdora_Cesina_KT52806.sim";
    std::string letta = treno;
    if (std::string(caso.come) == "stesso nome") {
      fs::copy_file(treno, sim);
      letta = sim;
    } else if (std::string(caso.come) == "collegamento fisico") {
      fs::create_hard_link(treno, sim);
    } else {
      fs::create_symlink(treno, sim);
    }
    const std::string contenuto = leggi_tutto(letta);
    std::string errori;
    EXPECT_EQ(esegui(compila(linea, letta, "--out " + virgolette(uscita)),
                     nullptr, &errori),
              caso.esito)
        << caso.come << ": " << errori;
    EXPECT_EQ(leggi_tutto(letta), contenuto) << caso.come;
    if (caso.esito != 0) {
      EXPECT_EQ(elenco(uscita),
                std::vector<std::string>{"Valdora_Cesina_KT52806.sim"})
          << caso.come;
    }
  }
}

TEST(Compila, NomiDallaRigaDiComando) {
  cartella_temporanea uscita;
  std::string errori;
  ASSERT_EQ(
      esegui(
          compila(
              fixture("piccola/linea.txt"), fixture("piccola/treno.txt"),
              "--out " + virgolette(uscita.percorso()) +
                  " --line-name 'Linea \xC3\x80lta' --train-code T1 --no-plan"),
          nullptr, &errori),
      0)
      << errori;
  EXPECT_EQ(elenco(uscita.percorso()),
            (std::vector<std::string>{"Linea \xC3\x80lta_T1.dat",
                                      "Linea \xC3\x80lta_T1.sim"}));
  // The names go into the records as Windows-1252: "Linea \xC0lta" and "T1"
  // near the end.
  const std::string stazioni = leggi_tutto(uscita / "Linea \xC3\x80lta_T1.sim");
  EXPECT_NE(stazioni.find(std::string("\x0A\0Linea \xC0lta", 12)),
            std::string::npos);
  EXPECT_NE(stazioni.find(std::string("\x02\0T1", 4)), std::string::npos);
}

TEST(Compila, RigheDiComandoRifiutate) {
  struct caso {
    const char* nome;
    std::string argomenti;
    int uscita;
    std::string messaggio;
  };
  const std::string linea = virgolette(fixture("piccola/linea.txt"));
  const std::string treno = virgolette(fixture("piccola/treno.txt"));
  const caso casi[] = {
      {"senza_argomenti", "compile", 64, "manca DESCRIZIONE_LINEA"},
      {"comando_sconosciuto", "compila " + linea + " " + treno, 64, "Uso:"},
      {"opzione_sconosciuta", "compile " + linea + " " + treno + " --plan", 64,
       "--plan"},
      {"nome_fuori_dal_codice",
       "compile " + linea + " " + treno + " --line-name '\xE4\xB8\xAD'", 64,
       "Windows-1252"},
      {"file_mancante", "compile /nessuna/linea.txt " + treno, 3,
       std::string("/nessuna/linea.txt: ") + std::strerror(ENOENT)},
      {"cartella_mancante",
       "compile " + linea + " " + treno + " --out /nessuna/cartella", 3,
       "/nessuna/cartella"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea qui;
    std::string errori;
    EXPECT_EQ(esegui("cd " + virgolette(qui.percorso()) + " && " +
                         virgolette(programma) + " " + c.argomenti,
                     nullptr, &errori),
              c.uscita);
    EXPECT_NE(errori.find(c.messaggio), std::string::npos) << errori;
    EXPECT_TRUE(fs::is_empty(qui.percorso()));
  }
}

TEST(Compila, AiutoSpiegaEntrambiGliUsi) {
  std::string scritto;
  EXPECT_EQ(esegui(virgolette(programma) + " --help", &scritto), 0);
  EXPECT_NE(scritto.find("Senza argomenti"), std::string::npos);
  EXPECT_NE(scritto.find("compile"), std::string::npos);
}

}  // namespace

namespace {

TEST(Compila, ErroreNelFileDellUtente) {
  cartella_temporanea uscita;
  const std::string treno = fixture("errate/treno.txt");
  std::string scritto, errori;
  EXPECT_EQ(esegui(compila(fixture("piccola/linea.txt"), treno,
                           "--out " + virgolette(uscita.percorso())),
                   &scritto, &errori),
            1);
  // The user's own path, line and column; the files are still written.
  EXPECT_EQ(errori, treno +
                        ":13:1: errore 8 [registrato]: stazione a 4025 m: la "
                        "posizione deve essere multipla di 50 (4000 o 4050)\n" +
                        treno +
                        ":13: nota: il compilatore smette di leggere questa "
                        "descrizione qui: le righe da 13 a 21 (5 elementi) non "
                        "sono nei file compilati\n"
                        "1 errore, 0 avvisi\n");
  EXPECT_EQ(elenco(uscita.percorso()).size(), 3u);
}

}  // namespace
