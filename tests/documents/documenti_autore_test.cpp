// The driver's documents for an author's scenario: small scenarios whose sheet
// table, prescriptions and notes are pinned line by line. The sheet of the
// default scenario's own descriptions is checked against the default sheet
// where the commands write it (tests/commands/documenti_test.cpp).
#include "documents/documenti_autore.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/tabelle_compilate.h"

namespace {

// The sheet's table starts at this line, after the heading and the boxes.
constexpr std::size_t prima_riga_corpo = 16;

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
