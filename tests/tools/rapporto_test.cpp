// What an author is told: the fault with its file, line and keyword, the
// warnings, `check`.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "tools/compila.h"

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
             "DIR/treno.txt:3: stazione: errore 8 a 46025 m: posizione della "
             "stazione non "
             "multipla di 50\n"},
        caso{"pendenza_oltre_la_tabella",
             linea_con("pendenza, 0, 0\r\npendenza, 99999, 2\r\n"),
             treno_con(""), 1,
             "DIR/linea.txt:5: pendenza: errore 15 a 99999 m: posizione oltre "
             "la fine della "
             "tabella delle celle\n"},
        caso{"valore_non_numerico", linea_con("\r\npendenza, 1O0, 2\r\n"),
             treno_con(""), 1,
             "DIR/linea.txt:5: pendenza: errore 25: errore di lettura della "
             "descrizione (valore "
             "non valido o fuori misura, file mancante o finito prima del "
             "tempo)\n"},
        caso{"progressiva_fuori_griglia",
             "[generale]\r\nlunghezza percorso, 3000\r\nprogressiva "
             "chilometrica uno, 0, 120025, "
             "0\r\n[c]\r\n[fine]\r\n",
             treno_con(""), 1,
             "DIR/linea.txt: progressiva chilometrica: errore 2: progressiva "
             "chilometrica con "
             "inizio o valore non multiplo di 50\n"},
        caso{"segnale_senza_posto_per_il_codice", linea_con(""),
             treno_con("segnale, 3000, 1,4,0,0,0,1,3,0,0,0\r\nabbattimento, "
                       "3000, 0\r\n"
                       "abbattimento, 2950, 0\r\nrallentamento, 5000, 60, 500, "
                       "0, 0, 0\r\n"),
             1,
             "cella 61 (3000 m): errore 11: segnale prima di un avviso di "
             "rallentamento senza "
             "cella libera per il codice\n"},
        caso{"avvisi",
             linea_con("pendneza, 100, 2\r\ncurvad4, 500, 100\r\ncurvas2, 100, "
                       "50\r\n"),
             treno_con("velocita, 500, 60\r\nvelocita, 400, 80\r\n"), 0,
             "DIR/linea.txt:4: avviso: campo ignorato: \"pendneza\"\n"
             "DIR/linea.txt:6: curvas2: avviso: curva che inizia a 100 m, "
             "dietro il tracciato "
             "gi\xC3\xA0 steso fino a 600 m\n"
             "DIR/treno.txt:3: velocita: avviso: velocita a 400 m non dopo la "
             "precedente a 500 "
             "m\n"
             "3 avvisi\n"}),
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
  EXPECT_EQ(j["errore"]["codice"], 8);
  EXPECT_EQ(j["errore"]["posizione"], 1025);
  EXPECT_EQ(j["errore"]["riga"], 2);
  EXPECT_EQ(j["errore"]["parola"], "stazione");
  EXPECT_EQ(j["errore"]["file"], o.treno);
  ASSERT_EQ(j["avvisi"].size(), 1u);
  EXPECT_EQ(j["avvisi"][0]["riga"], 4);
  EXPECT_EQ(j["uscita"], 1);
}

TEST(Rapporto, FileIlleggibile) {
  opzioni_compila o;
  o.linea = "/nessuna/linea.txt";
  o.treno = "/nessuna/treno.txt";
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), 3);
  EXPECT_EQ(errori.str(), "/nessuna/linea.txt: No such file or directory\n");
}

}  // namespace
