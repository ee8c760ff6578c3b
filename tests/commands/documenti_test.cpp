// The driver's documents through the commands: compile --documents and
// documents on the default scenario's own descriptions (the sheet against the
// default sheet), the files' bytes, the options, the refusals and the report
// page's links to the documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "aiuti.h"
#include "banco.h"
#include "documents/dati_scheda.h"
#include "commands/documenti.h"
#include "page/pagina.h"

namespace fs = std::filesystem;

namespace {

// A command line of the program, every argument quoted for the shell.
std::string comando(const std::vector<std::string>& argomenti) {
  std::string riga = virgolette(programma);
  for (const std::string& a : argomenti) riga += " " + virgolette(a);
  return riga;
}

// The names of the three documents, sorted as a folder lists them.
const std::vector<std::string> documenti = {
    "Valdora_Cesina_KT52806_note.txt",
    "Valdora_Cesina_KT52806_rallentamenti.txt",
    "Valdora_Cesina_KT52806_scheda_treno.txt"};
const std::string nome_scheda = "Valdora_Cesina_KT52806_scheda_treno.txt";
const std::string nome_note = "Valdora_Cesina_KT52806_note.txt";

// The lines of a text file that ends every line with CR LF.
std::vector<std::string> righe_del_file(const std::string& percorso) {
  std::vector<std::string> righe = righe_crlf(leggi_tutto(percorso));
  EXPECT_EQ(righe.back(), "") << percorso << ": ultima riga senza CR LF";
  righe.pop_back();
  return righe;
}

// The columns of the bars.
std::vector<std::size_t> sbarre(const std::string& riga) {
  std::vector<std::size_t> colonne;
  for (std::size_t i = 0; i < riga.size(); ++i)
    if (riga[i] == '|') colonne.push_back(i);
  return colonne;
}

const std::vector<std::size_t> colonne_tabella = {1, 7, 13, 24, 30, 59, 76, 82};
// A row of text across the middle columns, as "SEGUONO INFORMAZIONI ...".
const std::vector<std::size_t> colonne_testo = {1, 7, 76, 82};
// The table starts at this line, after the heading and the boxes.
constexpr std::size_t prima_riga_corpo = 16;

// The checks that the default sheet passes: boxes and table where the default
// sheet draws them, every table row 83 characters with its bars in place.
void controlla_cornici(const std::vector<std::string>& scheda) {
  ASSERT_GT(scheda.size(), prima_riga_corpo + 2);
  EXPECT_EQ(scheda[0], "");
  EXPECT_EQ(scheda[1], "");
  EXPECT_EQ(scheda[11], "");
  EXPECT_EQ(scheda.back(), "");
  const std::vector<std::size_t> intestazione = {1, 21, 67, 82};
  const std::vector<std::size_t> riquadri = {1, 21, 36, 56};
  for (std::size_t n : {3, 4, 5}) EXPECT_EQ(sbarre(scheda[n]), intestazione);
  EXPECT_EQ(sbarre(scheda[6]), (std::vector<std::size_t>{67, 82}));
  for (std::size_t n : {8, 9, 10}) EXPECT_EQ(sbarre(scheda[n]), riquadri);
  EXPECT_EQ(scheda[8].size(), 64u);  // seven blanks after the last bar
  for (std::size_t n : {3, 4, 5, 6}) EXPECT_EQ(scheda[n].size(), 83u) << n;
  EXPECT_EQ(scheda[12], "  " + std::string(80, '_'));
  const std::string base = scheda[scheda.size() - 2];
  EXPECT_EQ(base.find_first_not_of(" |_"), std::string::npos);
  EXPECT_EQ(sbarre(base), colonne_tabella);
  for (std::size_t n = 13; n + 2 < scheda.size(); ++n) {
    SCOPED_TRACE(scheda[n]);
    EXPECT_EQ(scheda[n].size(), 83u);
    EXPECT_EQ(scheda[n].substr(0, 2), " |");
    const auto colonne = sbarre(scheda[n]);
    EXPECT_TRUE(colonne == colonne_tabella ||
                (n >= prima_riga_corpo && colonne == colonne_testo));
  }
}

// A column of a table row, without the blanks around it.
std::string colonna(const std::string& riga, std::size_t quale) {
  const std::size_t da = colonne_tabella[quale] + 1;
  const std::string testo = riga.substr(da, colonne_tabella[quale + 1] - da);
  const std::size_t primo = testo.find_first_not_of(' ');
  if (primo == std::string::npos) return "";
  return testo.substr(primo, testo.find_last_not_of(' ') - primo + 1);
}
constexpr std::size_t col_velocita = 0, col_progressiva = 2, col_nome = 4,
                      col_orario = 5;

// The rows of the table that name a place (not the blank or text rows).
std::vector<std::string> righe_luoghi(const std::vector<std::string>& scheda) {
  std::vector<std::string> righe;
  for (std::size_t n = prima_riga_corpo; n + 2 < scheda.size(); ++n) {
    if (sbarre(scheda[n]) == colonne_tabella &&
        !colonna(scheda[n], col_nome).empty())
      righe.push_back(scheda[n]);
  }
  return righe;
}

// A station's name as both sheets can be compared: capitals, no blanks, the
// accented capital E written as the default sheet writes it.
std::string confrontabile(const std::string& nome) {
  std::string uscita;
  for (char c : nome) {
    if (c == ' ') continue;
    if (c == '\xC8') {
      uscita += "E'";
    } else {
      uscita += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return uscita;
}

// The default scenario's own descriptions, compiled with --documents (and the
// page) into one folder and given to documents for another, once for every
// test here, with a fixed date.
class DocumentiPredefiniti : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    descrizioni_ = new cartella_temporanea;
    compilati_ = new cartella_temporanea;
    soli_documenti_ = new cartella_temporanea;
    scrivi_tutto(*descrizioni_ / "l.txt", testo_di(righe_linea()));
    scrivi_tutto(*descrizioni_ / "t.txt", testo_di(righe_treno()));
    std::string errori;
    ASSERT_EQ(esegui(comando({"compile", linea(), treno(), "--out",
                              compilati_->percorso(), "--documents", "--report",
                              "--data", "24.03.2001"}),
                     nullptr, &errori),
              0)
        << errori;
    ASSERT_EQ(
        esegui(comando({"documents", linea(), treno(), "--out",
                        soli_documenti_->percorso(), "--data", "24.03.2001"}),
               nullptr, &errori),
        0)
        << errori;
  }
  static void TearDownTestSuite() {
    delete descrizioni_;
    delete compilati_;
    delete soli_documenti_;
  }

  static std::string linea() { return *descrizioni_ / "l.txt"; }
  static std::string treno() { return *descrizioni_ / "t.txt"; }
  static std::vector<std::string> scheda() {
    return righe_del_file(*compilati_ / nome_scheda);
  }

  static cartella_temporanea* descrizioni_;
  static cartella_temporanea* compilati_;
  static cartella_temporanea* soli_documenti_;
};

cartella_temporanea* DocumentiPredefiniti::descrizioni_ = nullptr;
cartella_temporanea* DocumentiPredefiniti::compilati_ = nullptr;
cartella_temporanea* DocumentiPredefiniti::soli_documenti_ = nullptr;

TEST_F(DocumentiPredefiniti, CorniciComeLaSchedaPredefinita) {
  {
    SCOPED_TRACE("scheda predefinita");
    controlla_cornici(righe_scheda());
  }
  controlla_cornici(scheda());
}

TEST_F(DocumentiPredefiniti, StazioniDellaSchedaPredefinitaNelloStessoOrdine) {
  std::vector<std::string> generate;
  for (const std::string& riga : righe_luoghi(scheda()))
    generate.push_back(confrontabile(colonna(riga, col_nome)));
  // The station rows of the default sheet (lines 21 to 39 less the switches
  // and the speed changes).
  const auto predefinita = righe_scheda();
  auto cercata = generate.begin();
  for (int n : {20, 23, 24, 25, 28, 29, 30, 32, 35, 37, 38}) {
    const std::string nome = confrontabile(colonna(predefinita[n], col_nome));
    cercata = std::find(cercata, generate.end(), nome);
    ASSERT_NE(cercata, generate.end()) << nome;
  }
  // The first and last times, where the default sheet puts them.
  const auto luoghi = righe_luoghi(scheda());
  EXPECT_EQ(luoghi.front().substr(60, 16), predefinita[20].substr(60, 16));
  EXPECT_EQ(luoghi.back().substr(60, 16), predefinita[38].substr(60, 16));
  EXPECT_EQ(colonna(luoghi.front(), col_orario), "09.57");
  EXPECT_EQ(colonna(luoghi.back(), col_orario), "10.31");
}

TEST_F(DocumentiPredefiniti, ProgressiveEVelocitaDallaLineaEDalTreno) {
  std::map<std::string, std::string> progressive, velocita;
  std::map<std::string, std::pair<std::string, std::string>> indicatori;
  for (const std::string& riga : righe_luoghi(scheda())) {
    const std::string nome = colonna(riga, col_nome);
    const std::string km = colonna(riga, col_progressiva);
    progressive[nome] = km;
    if (!colonna(riga, col_velocita).empty())
      velocita[km] = colonna(riga, col_velocita);
    if (nome.rfind("indicatore", 0) == 0)
      indicatori[km] = {nome, colonna(riga, col_velocita)};
  }
  // The line's progression: 150.300 at metre 0, counting down.
  const std::map<std::string, std::string> stazioni = {
      {"BOLZANO / BOZEN", "150.300"},   {"BIVIO MERANO/MERAN", "148.700"},
      {"LAIVES / LEIFERS", "142.500"},  {"BRONZOLO / BRANZOLL", "139.300"},
      {"ORA / AUER", "134.150"},        {"EGNA / NEUMARKT", "128.400"},
      {"MAGR\xC8/ MAGREID", "124.400"}, {"SALORNO / SALURN", "119.000"},
      {"MEZZOCORONA", "111.600"},       {"LAVIS", "104.300"},
      {"TRENTO SCALO", "96.500"},       {"TRENTO", "94.800"}};
  for (const auto& [nome, km] : stazioni)
    EXPECT_EQ(progressive[nome], km) << nome;
  // "Vel. Lim.": the first "velocita" line at the origin, then each of the
  // others at its own progressive, and nothing else.
  const std::map<std::string, std::string> attese = {
      {"150.300", "55"},  {"149.600", "105"}, {"148.900", "150"},
      {"133.750", "125"}, {"131.800", "150"}, {"118.500", "140"},
      {"111.150", "125"}, {"108.550", "140"}, {"97.350", "75"}};
  EXPECT_EQ(velocita, attese);
  // Every board that sets new speeds has a row at its progressive; its
  // "Vel. Lim." is the train's own step where one falls on it, else blank.
  using indicatore = std::pair<std::string, std::string>;
  const std::map<std::string, indicatore> attesi = {
      {"149.600", {"indicatore A95 B100 C105", "105"}},
      {"148.900", {"indicatore A140 B150 C150", "150"}},
      {"135.150", {"indicatore A110 B120 C125", ""}},
      {"131.800", {"indicatore A140 B150 C150", "150"}},
      {"120.100", {"indicatore A130 B135 C140", ""}},
      {"112.500", {"indicatore A110 B120 C125", ""}},
      {"108.550", {"indicatore A130 B135 C140", "140"}},
      {"98.750", {"indicatore A70 B75 C75", ""}}};
  EXPECT_EQ(indicatori, attesi);
}

TEST_F(DocumentiPredefiniti, FileDeiDueComandiUgualiInWindows1252ConCrLf) {
  EXPECT_EQ(elenco(soli_documenti_->percorso()), documenti);
  const std::vector<std::string> tutti = elenco(compilati_->percorso());
  for (const std::string& nome : documenti)
    EXPECT_EQ(std::count(tutti.begin(), tutti.end(), nome), 1) << nome;
  // Into a folder that holds an older, longer sheet: replaced whole.
  cartella_temporanea di_nuovo;
  scrivi_tutto(di_nuovo / nome_scheda, std::string(20000, 'x') + "\n");
  ASSERT_EQ(esegui(comando({"documents", linea(), treno(), "--out",
                            di_nuovo.percorso(), "--data", "24.03.2001"})),
            0);
  for (const std::string& nome : documenti) {
    SCOPED_TRACE(nome);
    const std::string scritto = leggi_tutto(*compilati_ / nome);
    EXPECT_EQ(leggi_tutto(*soli_documenti_ / nome), scritto);
    EXPECT_EQ(leggi_tutto(di_nuovo / nome), scritto);
    // Every line ends with CR LF, and no other line end stands anywhere.
    EXPECT_EQ(scritto.substr(scritto.size() - 2), "\r\n");
    std::string senza_crlf;
    for (const std::string& riga : righe_crlf(scritto)) senza_crlf += riga;
    EXPECT_EQ(senza_crlf.find_first_of("\r\n"), std::string::npos);
  }
  // One byte a letter: "à" is 0xE0, never the two bytes of UTF-8.
  const std::string note = leggi_tutto(*compilati_ / nome_note);
  EXPECT_NE(note.find("Localit\xE0 di servizio: 12."), std::string::npos);
  EXPECT_EQ(note.find("\xC3"), std::string::npos);
  EXPECT_EQ(righe_del_file(*compilati_ / nome_note)[3],
            "DATA REALIZZAZIONE SCENARIO: 24.03.2001");
}

TEST_F(DocumentiPredefiniti, VociDellaSchedaDalleTabelleODalleOpzioni) {
  const std::vector<std::string> predefinita = scheda();
  EXPECT_EQ(predefinita[4],
            " |  TRENO n.KT52806  |                   da: BOLZANO / BOZEN      "
            " |     V150     |");
  EXPECT_EQ(predefinita[5],
            " |___________________|                    a: TRENTO              "
            "  |  12 VETTURE  |");
  EXPECT_EQ(predefinita[9],
            " |                   |              |      130%         |");

  cartella_temporanea uscita;
  ASSERT_EQ(
      esegui(comando({"documents", linea(), treno(), "--out", uscita.percorso(),
                      "--data", "24.03.2001", "--classificazione", "EUROCITY",
                      "--massa-bloccata", "900T", "--voce-alta", "V200 C",
                      "--voce-bassa", "130%"})),
      0);
  const std::vector<std::string> data = righe_del_file(uscita / nome_scheda);
  // The default sheet's own values give its own heading and boxes, but for
  // the train code and for origin and destination, which are the first and
  // last stations.
  const auto attesa = righe_scheda();
  for (std::size_t n : {2, 3, 6, 7, 8, 9, 10, 12, 13, 14, 15})
    EXPECT_EQ(data[n], attesa[n]) << n;
  EXPECT_EQ(data[4],
            " |  TRENO n.KT52806  |                   da: BOLZANO / BOZEN      "
            " |    V200 C    |");
  EXPECT_EQ(data[5],
            " |___________________|                    a: TRENTO              "
            "  |     130%     |");
}

TEST_F(DocumentiPredefiniti, NoteDalleOpzioniEDalTestoDellAutore) {
  cartella_temporanea uscita;
  // UTF-8 with a byte-order mark and CR LF, as an editor may save it.
  scrivi_tutto(uscita / "prosa.txt",
               "\xEF\xBB\xBFIl treno \xC3\xA8 un Eurocity.\r\n\r\n"
               "Buon viaggio, Nicol\xC3\xB2!\r\n");
  ASSERT_EQ(
      esegui(comando({"documents", linea(), treno(), "--out", uscita.percorso(),
                      "--autore", "Nicol\xC3\xB2 Ferri", "--email",
                      "n.ferri@example.it", "--numero", "3", "--data",
                      "2024-02-29", "--testo", uscita / "prosa.txt"})),
      0);
  EXPECT_EQ(
      righe_del_file(uscita / nome_note),
      (std::vector<std::string>{
          "AUTORE: Nicol\xF2 Ferri", "INDIRIZZO EMAIL: n.ferri@example.it",
          "NUMERO PROGRESSIVO SCENARIO: 3",
          "DATA REALIZZAZIONE SCENARIO: 29.02.2024", "",
          "Il treno \xE8 un Eurocity.", "", "Buon viaggio, Nicol\xF2!"}));
}

// "24.03.2001" for a time of this machine's clock.
std::string data_locale(std::time_t t) {
  std::tm locale{};
  localtime_r(&t, &locale);
  char testo[48];
  std::snprintf(testo, sizeof testo, "%02d.%02d.%04d", locale.tm_mday,
                locale.tm_mon + 1, locale.tm_year + 1900);
  return testo;
}

TEST_F(DocumentiPredefiniti, SenzaDataLaDataDiOggi) {
  cartella_temporanea uscita;
  const std::time_t prima = std::time(nullptr);
  ASSERT_EQ(esegui(comando(
                {"documents", linea(), treno(), "--out", uscita.percorso()})),
            0);
  const std::time_t dopo = std::time(nullptr);
  const std::string riga = righe_del_file(uscita / nome_note)[3];
  // The run may cross midnight.
  EXPECT_TRUE(riga == "DATA REALIZZAZIONE SCENARIO: " + data_locale(prima) ||
              riga == "DATA REALIZZAZIONE SCENARIO: " + data_locale(dopo))
      << riga;
}

TEST_F(DocumentiPredefiniti, LaPaginaCollegaIDocumentiPresenti) {
  const std::string pagina =
      leggi_tutto(*compilati_ / "Valdora_Cesina_KT52806_report.html");
  EXPECT_NE(pagina.find("<ul id=\"documenti\">"), std::string::npos);
  for (const std::string& nome : documenti) {
    EXPECT_NE(pagina.find("<a href=\"" + nome + "\">" + nome + "</a>"),
              std::string::npos)
        << nome;
  }
  // report links what stands in its folder: here only the sheet, under names
  // that an address must escape.
  cartella_temporanea altra;
  ASSERT_EQ(
      esegui(comando({"compile", linea(), treno(), "--out", altra.percorso(),
                      "--no-plan", "--line-name", "Vald\xC3\xB2ra Cesina"})),
      0);
  const std::string radice = "Vald\xC3\xB2ra Cesina_KT52806";
  fs::copy_file(*compilati_ / nome_scheda,
                altra / (radice + "_scheda_treno.txt"));
  ASSERT_EQ(esegui(comando({"report", altra.percorso(), "--line-name",
                            "Vald\xC3\xB2ra Cesina"})),
            0);
  const std::string con_scheda = leggi_tutto(altra / (radice + "_report.html"));
  EXPECT_NE(con_scheda.find("<a href=\"Vald%C3%B2ra%20Cesina_KT52806_scheda_"
                            "treno.txt\">" +
                            radice + "_scheda_treno.txt</a>"),
            std::string::npos);
  EXPECT_EQ(con_scheda.find("_note.txt"), std::string::npos);
}

TEST_F(DocumentiPredefiniti, ErroreInUnaDescrizioneComeCompile) {
  cartella_temporanea uscita, compilata;
  const std::string errata = fixture("errate/treno.txt");
  std::string errori, errori_compile;
  EXPECT_EQ(esegui(comando({"documents", fixture("piccola/linea.txt"), errata,
                            "--out", uscita.percorso(), "--data", "1.1.2025"}),
                   nullptr, &errori),
            1);
  EXPECT_EQ(esegui(comando({"compile", fixture("piccola/linea.txt"), errata,
                            "--out", compilata.percorso()}),
                   nullptr, &errori_compile),
            1);
  // The problems as compile reports them, at the author's own path.
  EXPECT_EQ(errori, errori_compile);
  EXPECT_EQ(errori.rfind(errata + ":13:", 0), 0u) << errori;
  // Written from what was read: no station, since the first one failed.
  EXPECT_EQ(elenco(uscita.percorso()), documenti);
  EXPECT_EQ(righe_luoghi(righe_del_file(uscita / nome_scheda)).size(), 0u);
}

TEST_F(DocumentiPredefiniti, ConStrictNessunDocumentoSeCiSonoProblemi) {
  cartella_temporanea uscita;
  std::string errori;
  EXPECT_EQ(esegui(comando({"documents", fixture("piccola/linea.txt"),
                            fixture("errate/treno.txt"), "--out",
                            uscita.percorso(), "--strict"}),
                   nullptr, &errori),
            1);
  EXPECT_NE(errori.find("nessun file scritto (--strict)"), std::string::npos)
      << errori;
  EXPECT_TRUE(fs::is_empty(uscita.percorso()));
}

TEST_F(DocumentiPredefiniti, RifiutiSenzaScrivereNulla) {
  struct caso {
    const char* nome;
    std::vector<std::string> argomenti;  // after the two descriptions
    int uscita;
    std::string messaggio;  // "%" stands for the folder of the run
  };
  const caso casi[] = {
      {"lettera_fuori_dal_codice",
       {"--autore", "\xC5\x81ukasz"},
       64,
       "--autore: colonna 1: il carattere U+0141 non ha posto in "
       "Windows-1252\n"},
      {"numero_zero",
       {"--numero", "0"},
       64,
       "--numero: 0: il numero dello scenario parte da 1\n"},
      {"giorno_inesistente",
       {"--data", "29.02.2023"},
       64,
       "--data: \"29.02.2023\": non \xC3\xA8 un giorno (GG.MM.AAAA o "
       "AAAA-MM-GG)\n"},
      {"data_con_il_mese_13", {"--data", "2024-13-01"}, 64, "--data: "},
      {"testo_mancante",
       {"--testo", "%/nessuno.txt"},
       3,
       std::string("%/nessuno.txt: ") + std::strerror(ENOENT) + "\n"},
      {"testo_con_emoji",
       {"--testo", "%/emoji.txt"},
       3,
       "%/emoji.txt:2:9: il carattere U+1F682 non ha posto in Windows-1252\n"},
      {"testo_non_utf8",
       {"--testo", "%/latino.txt"},
       3,
       "%/latino.txt:1:5: byte non UTF-8\n"},
      {"note_sopra_il_testo",
       {"--testo", "%/" + nome_note},
       3,
       "%/" + nome_note +
           ": \xC3\xA8 un file che il comando legge; il documento non lo "
           "sostituisce\n"},
  };
  for (const bool con_compile : {false, true}) {
    for (const caso& c : casi) {
      SCOPED_TRACE(std::string(c.nome) + (con_compile ? " (compile)" : ""));
      cartella_temporanea qui;
      scrivi_tutto(qui / "emoji.txt", "Prima riga\nSeconda \xF0\x9F\x9A\x82\n");
      scrivi_tutto(qui / "latino.txt", "Magr\xE8 e Lavis\n");
      scrivi_tutto(qui / nome_note, "le note di prima\n");
      const std::vector<std::string> prima = elenco(qui.percorso());
      std::vector<std::string> argomenti = {
          con_compile ? "compile" : "documents", linea(), treno(), "--out",
          qui.percorso()};
      if (con_compile) argomenti.push_back("--documents");
      for (std::string a : c.argomenti) {
        if (a[0] == '%') a = qui.percorso().string() + a.substr(1);
        argomenti.push_back(a);
      }
      std::string errori;
      EXPECT_EQ(esegui(comando(argomenti), nullptr, &errori), c.uscita);
      std::string atteso = c.messaggio;
      if (atteso[0] == '%') atteso = qui.percorso().string() + atteso.substr(1);
      EXPECT_EQ(errori.substr(0, atteso.size()), atteso);
      EXPECT_EQ(elenco(qui.percorso()), prima);
      EXPECT_EQ(leggi_tutto(qui / nome_note), "le note di prima\n");
    }
  }
}

TEST_F(DocumentiPredefiniti, OpzioniDeiDocumentiSoloConDocuments) {
  cartella_temporanea qui;
  std::string errori;
  EXPECT_EQ(esegui(comando({"compile", linea(), treno(), "--out",
                            qui.percorso(), "--autore", "Ugo"}),
                   nullptr, &errori),
            64);
  EXPECT_NE(errori.find("--autore richiede --documents"), std::string::npos)
      << errori;
  EXPECT_TRUE(fs::is_empty(qui.percorso()));
}

// Dates as written on the command line: a whole day with a four-digit year.
TEST(DataDelleNote, GiornoMeseEAnnoInteri) {
  struct caso {
    const char* testo;
    std::optional<data_calendario> attesa;
  };
  const caso casi[] = {
      {"24.03.2001", data_calendario{24, 3, 2001}},
      {"2001-03-24", data_calendario{24, 3, 2001}},
      {"4.3.2001", data_calendario{4, 3, 2001}},
      {"29.02.2024", data_calendario{29, 2, 2024}},
      {"24.03.01", std::nullopt},
      {"01-03-24", std::nullopt},
      {"31.02.2020", std::nullopt},
      {"024.03.2001", std::nullopt},
      {"24.03.2001x", std::nullopt},
      {"24.03", std::nullopt},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.testo);
    const std::optional<data_calendario> d = leggi_data(c.testo);
    ASSERT_EQ(d.has_value(), c.attesa.has_value());
    if (!d) continue;
    EXPECT_EQ(d->giorno, c.attesa->giorno);
    EXPECT_EQ(d->mese, c.attesa->mese);
    EXPECT_EQ(d->anno, c.attesa->anno);
  }
}

}  // namespace

namespace {

// report does not replace the page that compile --report wrote with the
// compilation's problems: it warns, keeps it, and writes its own beside it.
// A page without problems it replaces as before.
TEST(PaginaDelComandoReport, TieneLaPaginaConIProblemi) {
  cartella_temporanea cartella;
  const std::string radice =
      (cartella.percorso() / "Valdora_Cesina_KT52806").string();
  ASSERT_EQ(esegui(comando({"compile", fixture("piccola/linea.txt"),
                            fixture("errate/treno.txt"), "--out",
                            cartella.percorso(), "--report"})),
            1);
  const std::string con_problemi = leggi_tutto(radice + "_report.html");
  ASSERT_TRUE(pagina_con_problemi(con_problemi));
  std::string uscita, errori;
  ASSERT_EQ(esegui(comando({"report", cartella.percorso()}), &uscita, &errori),
            0);
  EXPECT_EQ(leggi_tutto(radice + "_report.html"), con_problemi);
  EXPECT_EQ(uscita, radice + "_report_files.html\n");
  EXPECT_NE(errori.find(radice + "_report.html"), std::string::npos) << errori;
  EXPECT_NE(errori.find(radice + "_report_files.html"), std::string::npos);
  EXPECT_FALSE(pagina_con_problemi(leggi_tutto(radice + "_report_files.html")));
  // Compiled without problems: report writes over it.
  ASSERT_EQ(esegui(comando({"compile", fixture("piccola/linea.txt"),
                            fixture("piccola/treno.txt"), "--out",
                            cartella.percorso(), "--report"})),
            0);
  errori.clear();
  uscita.clear();
  ASSERT_EQ(esegui(comando({"report", cartella.percorso()}), &uscita, &errori),
            0);
  EXPECT_EQ(uscita, radice + "_report.html\n");
  EXPECT_EQ(errori, "");
}

}  // namespace
