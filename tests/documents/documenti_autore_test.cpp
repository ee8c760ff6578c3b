// The driver's documents for an author's scenario: the sheet of the default
// scenario's own descriptions against the default sheet, and small scenarios
// whose sheet table, prescriptions and notes are pinned line by line.
#include "documents/documenti_autore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "documents/dati_scheda.h"
#include "documents/tabelle_compilate.h"

namespace {

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

std::vector<std::string> scheda_predefinita(const opzioni_documenti& o = {}) {
  const tabelle_compilate t = compila_descrizioni_predefinite();
  EXPECT_EQ(t.codice_errore, 0);
  return righe_scheda_autore(t.t, o);
}

TEST(SchedaAutore, LaSchedaPredefinitaPassaLeVerificheDelleCornici) {
  controlla_cornici(righe_scheda());
}

TEST(SchedaAutore, DalleDescrizioniPredefiniteCorniciComeLaSchedaPredefinita) {
  controlla_cornici(scheda_predefinita());
}

TEST(SchedaAutore, StazioniDellaSchedaPredefinitaNelloStessoOrdine) {
  const std::vector<std::string> scheda = scheda_predefinita();
  std::vector<std::string> generate;
  for (const std::string& riga : righe_luoghi(scheda))
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
  // The first and last times stand where the default sheet puts them.
  const auto luoghi = righe_luoghi(scheda);
  EXPECT_EQ(luoghi.front().substr(60, 16), predefinita[20].substr(60, 16));
  EXPECT_EQ(luoghi.back().substr(60, 16), predefinita[38].substr(60, 16));
  EXPECT_EQ(colonna(luoghi.front(), col_orario), "09.57");
  EXPECT_EQ(colonna(luoghi.back(), col_orario), "10.31");
}

TEST(SchedaAutore, ProgressiveEVelocitaDallaLineaEDalTreno) {
  const std::vector<std::string> scheda = scheda_predefinita();
  std::map<std::string, std::string> progressive, velocita;
  std::map<std::string, std::pair<std::string, std::string>> indicatori;
  for (const std::string& riga : righe_luoghi(scheda)) {
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

// Small scenarios: an 8000-metre line, the train's lines and the options.
struct caso_scenario {
  const char* nome;
  std::string generale;    // progressions of the line
  std::string principale;  // main part of the line
  std::string treno;
  std::function<std::vector<std::string>(const tabelle_compilate&)>
      documento_di;
  std::vector<std::string> righe;  // for the sheet: from the table's body on
  int lunghezza = 8000;
};

void PrintTo(const caso_scenario& c, std::ostream* uscita) {
  *uscita << c.nome;
}

class PiccoloScenario : public ::testing::TestWithParam<caso_scenario> {};

TEST_P(PiccoloScenario, RigheEsatte) {
  const caso_scenario& c = GetParam();
  const tabelle_compilate t = compila_descrizioni(
      linea_prova(c.generale, c.principale, c.lunghezza), treno_con(c.treno));
  ASSERT_EQ(t.codice_errore, 0);
  EXPECT_EQ(c.documento_di(t), c.righe);
}

opzioni_documenti opzioni_note(
    std::optional<std::vector<std::string>> testo = {}) {
  opzioni_documenti o;
  o.autore = "Nicol\xF2 Ferri";
  o.email = "n.ferri@example.it";
  o.numero = 3;
  o.data = {29, 2, 2024};
  o.testo = std::move(testo);
  return o;
}

std::function<std::vector<std::string>(const tabelle_compilate&)> scheda(
    opzioni_documenti o = {}) {
  return [o](const tabelle_compilate& t) {
    std::vector<std::string> righe = righe_scheda_autore(t.t, o);
    righe.erase(righe.begin(), righe.begin() + prima_riga_corpo);
    return righe;
  };
}

std::vector<std::string> prescrizioni(const tabelle_compilate& t) {
  return righe_rallentamenti_autore(t.t);
}

std::function<std::vector<std::string>(const tabelle_compilate&)> note(
    opzioni_documenti o = opzioni_note()) {
  return [o](const tabelle_compilate& t) { return righe_note_autore(t.t, o); };
}

const std::string crescente = "progressiva chilometrica uno, 0, 12000, 0\r\n";
const std::string decrescente = "progressiva chilometrica uno, 0, 20000, 1\r\n";
const std::string due_stazioni = "velocita, 0, 100\r\n" +
                                 stazione_prova(500, "Cesina", 8, 0, 0) +
                                 stazione_prova(7000, "Valdora", 8, 6, 0);
const std::string rientro(18, ' ');

// clang-format off
const std::string vuota =
    " |     |     |          |     |                            |                |     |";
const std::string base =
    " |_____|_____|__________|_____|____________________________|________________|_____|";
const std::string legenda =
    " |     |   * orario di transito stimato dalle velocit\xE0 massime              |     |";
// clang-format on

INSTANTIATE_TEST_SUITE_P(
    Scheda, PiccoloScenario,
    ::testing::Values(
        // Running time 264 s at 60, 80, 120 and 90 km/h from Cesina to
        // Valdora, stretched to the 390 s of the timetable. The board at
        // 2000 m takes the train's step to 80 km/h; the one at 4500 m leaves
        // the train's 120 km/h as it is; the one with stripes announces, the
        // last repeats.
        caso_scenario{"tempi_stimati_indicatori_e_cambi_di_velocita",
                      crescente,
                      "indicatori_vmax, 2000, 80, 90, 95, 0, 80, 90, 95, 0\r\n"
                      "indicatori_vmax, 4000, 60, 70, 70, 1, 60, 70, 70, 1\r\n"
                      "indicatori_vmax, 4500, 60, 70, 70, 0, 60, 70, 70, 0\r\n"
                      "indicatori_vmax, 5000, 60, 70, 70, 0, 60, 70, 70, 0\r\n",
                      "velocita, 0, 60\r\nvelocita, 2000, 80\r\n"
                      "velocita, 3000, 120\r\nvelocita, 6000, 90\r\n" +
                          stazione_prova(500, "Cesina", 8, 0, 0) +
                          stazione_prova(3500, "Pieve") +
                          stazione_prova(6000, "Magr\xE8") +
                          stazione_prova(7000, "Valdora", 8, 6, 30),
                      scheda(),
                      {
                          // clang-format off
                vuota,
                " |  60 |     |  12.500  |     |  CESINA                    |          08.00 |     |",
                " |  80 |     |  14.000  |     |  indicatore A80 B90 C95    |     08.02*     |     |",
                " | 120 |     |  15.000  |     |  Km 15.000                 |     08.03*     |     |",
                " |     |     |  15.500  |     |  PIEVE                     |     08.03+*    |     |",
                " |     |     |  16.500  |     |  indicatore A60 B70 C70    |     08.04*     |     |",
                " |  90 |     |  18.000  |     |  MAGR\xC8                     |     08.05+*    |     |",
                " |     |     |  19.000  |     |  VALDORA                   | 08.06+         |     |",
                vuota, legenda, vuota, base, "",
                          // clang-format on
                      }},
        caso_scenario{
            "orari_prima_e_dopo_l_unico_orario_dato",
            decrescente,
            "",
            "velocita, 0, 100\r\n" + stazione_prova(1000, "Ala") +
                stazione_prova(4000, "Borgo", 9, 0, 0) +
                stazione_prova(7000,
                               "Stazione dal nome lunghissimo e tagliato"),
            scheda(),
            {
                // clang-format off
                vuota,
                " | 100 |     |  19.000  |     |  ALA                       |         08.58* |     |",
                " |     |     |  16.000  |     |  BORGO                     |     09.00      |     |",
                " |     |     |  13.000  |     |  STAZIONE DAL NOME LUNGHISS| 09.01+*        |     |",
                vuota, legenda, vuota, base, "",
                // clang-format on
            }},
        caso_scenario{"senza_orari_nessuna_legenda",
                      crescente,
                      "",
                      "velocita, 0, 100\r\n" + stazione_prova(1000, "Ala") +
                          stazione_prova(4000, "Borgo"),
                      scheda(),
                      {
                          // clang-format off
                          vuota,
                          " | 100 |     |  13.000  |     |  ALA                       |                |     |",
                          " |     |     |  16.000  |     |  BORGO                     |                |     |",
                          vuota, base, "",
                          // clang-format on
                      }}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Prescrizioni, PiccoloScenario,
    ::testing::Values(
        caso_scenario{"nessuna",
                      crescente,
                      "",
                      due_stazioni,
                      prescrizioni,
                      {"", "", "", rientro + "NESSUNA PRESCRIZIONE"}},
        caso_scenario{
            "una_su_linea_crescente",
            crescente,
            "",
            due_stazioni + "rallentamento, 4000, 60, 400, 0, 0, 0\r\n",
            prescrizioni,
            {"", "", "",
             rientro + "RALLENTAMENTO A 60 KM/H DAL KM 16.000 AL KM 16.400"}},
        caso_scenario{
            "due_su_linea_decrescente_in_ordine_di_percorso",
            decrescente,
            "",
            due_stazioni + "rallentamento, 5000, 30, 1000, 1, 1, 1\r\n" +
                "rallentamento, 2000, 80, 550, 0, 0, 0\r\n",
            prescrizioni,
            {"", "", "",
             rientro + "RALLENTAMENTO A 80 KM/H DAL KM 18.000 AL KM 17.450",
             rientro + "RALLENTAMENTO A 30 KM/H DAL KM 15.000 AL KM 14.000"}}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Note, PiccoloScenario,
    ::testing::Values(
        caso_scenario{
            "riassunto",
            crescente,
            "",
            due_stazioni + "rallentamento, 4000, 60, 400, 0, 0, 0\r\n" +
                "segnale, 2200, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n" +
                "segnale, 5000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0\r\n",
            note(),
            {"AUTORE: Nicol\xF2 Ferri", "INDIRIZZO EMAIL: n.ferri@example.it",
             "NUMERO PROGRESSIVO SCENARIO: 3",
             "DATA REALIZZAZIONE SCENARIO: 29.02.2024", "",
             "Scenario della linea Valdora_Cesina per il treno KT52806: "
             "percorso di 8 km da Cesina a Valdora.",
             "Localit\xE0 di servizio: 2. Segnali: 2. Rallentamenti: 1.",
             "Il treno parte alle 08.00 e arriva alle 08.06."}},
        caso_scenario{
            "riassunto_di_uno_scenario_vuoto_senza_autore",
            "",
            "",
            "",
            note([] {
              opzioni_documenti o;
              o.data = {1, 12, 2025};
              return o;
            }()),
            {"AUTORE: non indicato", "INDIRIZZO EMAIL: non indicato",
             "NUMERO PROGRESSIVO SCENARIO: 1",
             "DATA REALIZZAZIONE SCENARIO: 01.12.2025", "",
             "Scenario della linea Valdora_Cesina per il treno KT52806: "
             "percorso di 8,35 km.",
             "Localit\xE0 di servizio: nessuna. Segnali: nessuno. "
             "Rallentamenti: nessuno."},
            8350},
        caso_scenario{
            "prosa_dell_autore_a_capo_a_96",
            crescente,
            "",
            due_stazioni,
            note(opzioni_note(std::vector<std::string>{
                "", "  ",
                "Il treno \xE8 un regionale che ferma in tutte le "
                "stazioni della linea, anche in quelle pi\xF9 piccole "
                "della valle.",
                "", "Buon viaggio!", "", ""})),
            {"AUTORE: Nicol\xF2 Ferri", "INDIRIZZO EMAIL: n.ferri@example.it",
             "NUMERO PROGRESSIVO SCENARIO: 3",
             "DATA REALIZZAZIONE SCENARIO: 29.02.2024", "",
             "Il treno \xE8 un regionale che ferma in tutte le stazioni della "
             "linea, anche in quelle pi\xF9 piccole",
             "della valle.", "", "Buon viaggio!"}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(DocumentiAutore, VociDellaSchedaDalleTabelleODalleOpzioni) {
  opzioni_documenti o;
  const std::vector<std::string> predefinita = scheda_predefinita(o);
  EXPECT_EQ(predefinita[4],
            " |  TRENO n.KT52806  |                   da: BOLZANO / BOZEN      "
            " |     V150     |");
  EXPECT_EQ(predefinita[5],
            " |___________________|                    a: TRENTO              "
            "  |  12 VETTURE  |");
  EXPECT_EQ(predefinita[9],
            " |                   |              |      130%         |");

  o.classificazione = "EUROCITY";
  o.massa_bloccata = "900T";
  o.voce_alta = "V200 C";
  o.voce_bassa = "130%";
  const std::vector<std::string> data = scheda_predefinita(o);
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

TEST(DocumentiAutore, DateEsistenti) {
  const std::pair<data_calendario, bool> casi[] = {
      {{29, 2, 2024}, true},  {{29, 2, 2023}, false}, {{29, 2, 2000}, true},
      {{29, 2, 1900}, false}, {{31, 4, 2024}, false}, {{31, 12, 9999}, true},
      {{1, 1, 1}, true},      {{1, 1, 0}, false},     {{1, 13, 2024}, false},
      {{0, 1, 2024}, false},  {{1, 1, 10000}, false}, {{}, false}};
  for (auto [data, esiste] : casi) {
    EXPECT_EQ(data_esistente(data), esiste)
        << data.giorno << "." << data.mese << "." << data.anno;
  }
}

}  // namespace
