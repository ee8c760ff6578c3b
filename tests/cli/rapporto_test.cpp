// What an author is told: the fault with its file, line and keyword, the
// warnings, `check`.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "commands/compila.h"

namespace fs = std::filesystem;

namespace {

struct caso {
  const char* nome;
  std::string linea;
  std::string treno;
  int uscita;
  std::string errori;  // "DIR/" stands for the folder of the two files
};

// Tests print the case by its name.
void PrintTo(const caso& c, std::ostream* uscita) { *uscita << c.nome; }

std::string stazione_riga(int posizione) {
  return "stazione, " + std::to_string(posizione) +
         ", 12, 500, 0, 0, 0, 1,1,0, 4,1,1, 0, 0,0,0, Lavis\r\n";
}

class Rapporto : public ::testing::TestWithParam<caso> {};

TEST_P(Rapporto, RigheEsatte) {
  const caso& c = GetParam();
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "linea.txt", c.linea);
  scrivi_tutto(cartella / "treno.txt", c.treno);
  opzioni_compila o;
  o.linea = cartella / "linea.txt";
  o.treno = cartella / "treno.txt";
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), c.uscita);
  std::string atteso = c.errori;
  for (std::size_t p; (p = atteso.find("DIR/")) != std::string::npos;) {
    atteso.replace(p, 4, cartella.percorso().string() + "/");
  }
  EXPECT_EQ(errori.str(), atteso);
  // Nothing is written next to the descriptions.
  EXPECT_EQ(elenco(cartella.percorso()),
            (std::vector<std::string>{"linea.txt", "treno.txt"}));
}

const std::string linea_predefinita = testo_di(righe_linea());

INSTANTIATE_TEST_SUITE_P(
    Casi, Rapporto,
    ::testing::Values(
        caso{"pulito", linea_predefinita, testo_di(righe_treno()), 0, ""},
        caso{"stazione_fuori_griglia", linea_predefinita,
             treno_con("velocita, 0, 100\r\n" + stazione_riga(46025)), 1,
             "DIR/treno.txt:3:1: errore 8 [registrato]: stazione a 46025 m: la "
             "posizione deve essere multipla di 50 (46000 o 46050)\n"
             "DIR/treno.txt:3: nota: il compilatore smette di leggere questa descrizione qui: le righe da 3 a 4 (1 elemento) "
             "non sono nei file compilati\n"
             "1 errore, 0 avvisi\n"},
        caso{"pendenza_oltre_la_tabella",
             linea_con("pendenza, 0, 0\r\npendenza, 99999, 2\r\n"),
             treno_con(""), 1,
             "DIR/linea.txt:5:1: errore 15 [registrato]: pendenza a 99999 m "
             "oltre la fine della tabella delle celle: l'ultima posizione "
             "ammessa \xC3\xA8 9900 m (percorso di 3000 m)\n"
             "DIR/linea.txt:5: nota: il compilatore smette di leggere questa descrizione qui: le righe da 5 a 6 (1 elemento) "
             "non sono nei file compilati\n"
             "1 errore, 0 avvisi\n"},
        caso{"valore_non_numerico", linea_con("\r\npendenza, 1O0, 2\r\n"),
             treno_con(""), 1,
             "DIR/linea.txt:5:11: errore 25 [registrato]: posizione di "
             "pendenza: \"1O0\" non \xC3\xA8 un numero intero\n"
             "DIR/linea.txt:5: nota: il compilatore smette di leggere questa descrizione qui: le righe da 5 a 6 (1 elemento) "
             "non sono nei file compilati; la corsa del treno non viene letta\n"
             "1 errore, 0 avvisi\n"},
        caso{"progressiva_fuori_griglia",
             "[generale]\r\nlunghezza percorso, 3000\r\nprogressiva "
             "chilometrica uno, 0, 120025, 0\r\n[curve]\r\n[fine]\r\n",
             treno_con(""), 1,
             "DIR/linea.txt:3:1: errore 2 [registrato]: progressiva "
             "chilometrica uno: inizio (0 m) e valore (120025 m) devono "
             "essere multipli di 50\n"
             "DIR/linea.txt:3: nota: il compilatore smette di leggere questa descrizione qui: le righe da 3 a 5 (1 elemento) "
             "non sono nei file compilati; la corsa del treno non viene letta\n"
             "1 errore, 0 avvisi\n"},
        caso{"segnale_senza_posto_per_il_codice", linea_con("", 6000),
             treno_con("segnale, 3000, 1,4,0,0,0,1,3,0,0,0\r\nabbattimento, "
                       "3000, 0\r\nabbattimento, 2950, 0\r\nrallentamento, "
                       "5000, 60, 500, 0, 0, 0\r\n"),
             1,
             "DIR/treno.txt:2:1: errore 11 [registrato]: segnale a 3000 m: il "
             "segnale sta prima dell'avviso di un rallentamento e nessuna "
             "delle due celle prima di lui (cella 61, 3000 m) \xC3\xA8 libera "
             "per il codice di velocit\xC3\xA0\n"
             "1 errore, 0 avvisi\n"},
        caso{"avvisi",
             linea_con("pendneza, 100, 2\r\ncurvad4, 500, 100\r\ncurvas2, 100, "
                       "50\r\n"),
             treno_con("velocita, 500, 60\r\nvelocita, 400, 80\r\n"), 1,
             "DIR/linea.txt:4:1: errore: parola chiave sconosciuta "
             "\"pendneza\": la riga viene ignorata (forse \"pendenza\"?)\n"
             "DIR/linea.txt:6:1: avviso: curvas2 inizia a 100 m, dietro il "
             "tracciato gi\xC3\xA0 steso fino a 600 m\n"
             "DIR/treno.txt:2:11: avviso: velocita data la prima volta a "
             "500 m: le celle prima ricevono un limite di velocit\xC3\xA0 0; "
             "comincia con una riga a 0 m (\"velocita, 0, ...\")\n"
             "DIR/treno.txt:3:1: avviso: velocita a 400 m non dopo la "
             "precedente a 500 m\n"
             "1 errore, 3 avvisi\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Rapporto, ControlloInJson) {
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "l.txt", linea_con("pendneza, 1, 2\r\n"));
  scrivi_tutto(cartella / "t.txt", treno_con(stazione_riga(1025)));
  opzioni_compila o;
  o.linea = cartella / "l.txt";
  o.treno = cartella / "t.txt";
  o.json = true;
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), 1);
  const auto j = nlohmann::json::parse(uscita.str());
  // The record as the compiler keeps it, beside every problem.
  EXPECT_EQ(j["registro"]["codice"], 8);
  EXPECT_EQ(j["registro"]["posizione"], 1025);
  ASSERT_EQ(j["problemi"].size(), 2u);
  const auto& parola = j["problemi"][0];
  EXPECT_EQ(parola["file"], o.linea);
  EXPECT_EQ(parola["riga"], 4);
  EXPECT_EQ(parola["colonna"], 1);
  EXPECT_EQ(parola["gravita"], "errore");
  EXPECT_EQ(parola["suggerimento"], "pendenza");
  EXPECT_EQ(parola["registrato"], false);
  const auto& stazione = j["problemi"][1];
  EXPECT_EQ(stazione["file"], o.treno);
  EXPECT_EQ(stazione["riga"], 2);
  EXPECT_EQ(stazione["codice"], 8);
  EXPECT_EQ(stazione["parola"], "stazione");
  EXPECT_EQ(stazione["metro"], 1025);
  EXPECT_EQ(stazione["registrato"], true);
  EXPECT_EQ(j["errori"], 2);
  EXPECT_EQ(j["avvisi"], 0);
  EXPECT_EQ(j["uscita"], 1);
}

TEST(Rapporto, ArrestoFataleInJsonNonNullo) {
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "l.txt", linea_con(""));
  scrivi_tutto(cartella / "t.txt",
               treno_con("rallentamento, 0, 60, 100, 0, 0, 0\r\n"));
  opzioni_compila o;
  o.linea = cartella / "l.txt";
  o.treno = cartella / "t.txt";
  o.json = true;
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), 2);
  const auto j = nlohmann::json::parse(uscita.str());
  EXPECT_EQ(j["registro"]["codice"], 1250);
  EXPECT_EQ(j["problemi"][0]["codice"], 1250);
  EXPECT_EQ(j["problemi"][0]["riga"], 2);
  EXPECT_EQ(errori.str(), " Errore n. 1250\n");
}

TEST(Rapporto, FileIlleggibile) {
  opzioni_compila o;
  o.linea = "/nessuna/linea.txt";
  o.treno = "/nessuna/treno.txt";
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), 3);
  EXPECT_EQ(errori.str(),
            std::string("/nessuna/linea.txt: ") + std::strerror(ENOENT) + "\n");
}

}  // namespace

namespace {

struct caso_opzioni {
  const char* nome;
  std::string linea;
  std::string treno;
  bool rigoroso;
  bool da_utf8;
  int uscita_check;
  int uscita_compile;
  bool file_scritti;
  std::string righe;  // what check prints, "DIR/" for the folder
};

void PrintTo(const caso_opzioni& c, std::ostream* uscita) { *uscita << c.nome; }

class Opzioni : public ::testing::TestWithParam<caso_opzioni> {};

TEST_P(Opzioni, StrictEdEncoding) {
  const caso_opzioni& c = GetParam();
  cartella_temporanea cartella, uscita_file;
  scrivi_tutto(cartella / "linea.txt", c.linea);
  scrivi_tutto(cartella / "treno.txt", c.treno);
  opzioni_compila o;
  o.linea = cartella / "linea.txt";
  o.treno = cartella / "treno.txt";
  o.cartella = uscita_file.percorso().string();
  o.rigoroso = c.rigoroso;
  o.da_utf8 = c.da_utf8;
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), c.uscita_check);
  std::string atteso = c.righe;
  for (std::size_t p; (p = atteso.find("DIR/")) != std::string::npos;)
    atteso.replace(p, 4, cartella.percorso().string() + "/");
  EXPECT_EQ(errori.str(), atteso);
  std::ostringstream u2, e2;
  EXPECT_EQ(esegui_compila(o, u2, e2), c.uscita_compile) << e2.str();
  EXPECT_EQ(!fs::is_empty(uscita_file.percorso()), c.file_scritti);
}

// Without the plan the curve lines are passed over, as asked: not a word
// about them, so --strict still writes.
TEST(Opzioni, SenzaPianoLeCurveNonSonoAvvisi) {
  cartella_temporanea cartella, uscita_file;
  scrivi_tutto(cartella / "linea.txt",
               "[generale]\r\nlunghezza percorso, 8000\r\n[curve]\r\n"
               "curvad4, 1500, 300\r\ncurvas3, 4000, 600\r\n[pendenze]\r\n"
               "pendenza, 0, 2\r\n[fine]\r\n");
  scrivi_tutto(cartella / "treno.txt", treno_con(""));
  opzioni_compila o;
  o.linea = cartella / "linea.txt";
  o.treno = cartella / "treno.txt";
  o.cartella = uscita_file.percorso().string();
  o.rigoroso = true;
  o.senza_piano = true;
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_compila(o, uscita, errori), 0) << errori.str();
  EXPECT_EQ(errori.str(), "");
  EXPECT_FALSE(fs::is_empty(uscita_file.percorso()));
}

const std::string treno_citta = treno_con(
    "stazione, 1000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
    "Citt\xC3\xA0\r\n");

INSTANTIATE_TEST_SUITE_P(
    Casi, Opzioni,
    ::testing::Values(
        caso_opzioni{
            "avviso_senza_strict", linea_con("pendenza, 100, 800\r\n"),
            treno_con(""), false, false, 0, 0, true,
            "DIR/linea.txt:4:16: avviso: pendenza: 800 per mille fuori "
            "da quanto ha senso (-60..60 per mille); il byte compilato lo "
            "memorizza come 32\n"
            "0 errori, 1 avviso\n"},
        caso_opzioni{
            "avviso_con_strict", linea_con("pendenza, 100, 800\r\n"),
            treno_con(""), true, false, 1, 1, false,
            "DIR/linea.txt:4:16: avviso: pendenza: 800 per mille fuori "
            "da quanto ha senso (-60..60 per mille); il byte compilato lo "
            "memorizza come 32\n"
            "0 errori, 1 avviso\n"},
        caso_opzioni{
            "utf8_senza_encoding", linea_con(""), treno_citta, false, false, 0,
            0, true,
            "DIR/treno.txt:2:61: avviso: la descrizione sembra in "
            "UTF-8: \"Citt\xC3\xA0\" verrebbe letto \"Citt\xC3\x83\xC2\xA0\"; "
            "salvala in Windows-1252 o usa --encoding utf-8\n"
            "0 errori, 1 avviso\n"},
        caso_opzioni{"utf8_con_encoding", linea_con(""), treno_citta, true,
                     true, 0, 0, true, ""},
        caso_opzioni{
            "lettera_fuori_dal_codice", linea_con(""),
            treno_con("stazione, 1000, 12, 600, 0,0,0, 1,1,0, 4,1,1, "
                      "0, 8,0,0, N\xE2\x84\x96 1\r\n"),
            false, true, 1, 1, false,
            "DIR/treno.txt:2:58: errore: la lettera U+2116 non esiste "
            "in Windows-1252: il compilatore non pu\xC3\xB2 scriverla\n"
            "1 errore, 0 avvisi\n"},
        caso_opzioni{"utf16", std::string("\xFF\xFE[\0g\0", 6), treno_con(""),
                     false, false, 1, 1, false,
                     "DIR/linea.txt:1:1: errore: la descrizione \xC3\xA8 in "
                     "UTF-16: il compilatore legge un byte per lettera "
                     "(Windows-1252); salvala in Windows-1252\n"
                     "DIR/linea.txt:1:1: errore 102 [registrato]: "
                     "\"[generale]\" non trovato: la descrizione comincia con "
                     "la riga [generale]\n"
                     "2 errori, 0 avvisi\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
