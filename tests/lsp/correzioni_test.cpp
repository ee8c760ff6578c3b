// Quick fixes, one slip a case: the description is opened beside a clean
// partner, the diagnostic at the slip is sent back as the editor does, and
// the fixes' edits must be these, in this order, and no others.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aiuti.h"
#include "lsp/sessione.h"
#include "lsp/testo_lsp.h"

using json = nlohmann::json;

namespace {

const std::string linea_pulita =
    "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\npendenza, 0, "
    "0\r\n[fine]\r\n";
const std::string treno_pulito =
    "[generale]\r\nnumero vetture, 6\r\nvelocita, 0, 100\r\naderenza, 0, "
    "90\r\nstazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
    "A\r\nstazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, "
    "B\r\n[fine]\r\n";

// One edit on the line of the slip: from character `da` to `a`.
struct modifica {
  std::string testo;
  int da;
  int a;
  bool preferita = true;
};

struct caso {
  const char* nome;
  bool treno;        // the slip is in the train run
  std::string riga;  // the line of the slip, in the main part
  int carattere;     // where its diagnostic starts
  std::vector<modifica> attese;
};

const std::vector<caso> casi = {
    {"ParolaSbagliata", false, "pendneza, 2000, 5", 0, {{"pendenza", 0, 8}}},
    {"IntestazioneSbagliata", false, "[pendnze]", 0, {{"[pendenze]", 0, 9}}},
    {"SeparatoreDelleMigliaia",
     false,
     "pendenza, 2.000, 5",
     10,
     {{"2000", 10, 15}}},
    // The number split at its blank is two fields: the fix writes over both.
    {"MigliaiaStaccate", false, "pendenza, 2 000, 5", 17, {{"2000", 10, 15}}},
    {"PosizioneInChilometri",
     false,
     "pendenza, 1+500, 4",
     10,
     {{"1500", 10, 15}}},
    {"OraInUnCampo", true, "orologio, 7:59:30", 10, {{"7, 59, 30", 10, 17}}},
    {"PuntiEVirgola",
     false,
     "pendenza; 2000; 5",
     0,
     {{"pendenza, 2000, 5", 0, 17}}},
    // Stretches go to round(P / 50), halves to even: 1025 to 1000.
    {"FuoriGrigliaUnTratto",
     false,
     "pendenza, 1025, 4",
     10,
     {{"1000", 10, 14}}},
    // Point items go to the cell that starts at P: 2230 to 2250.
    {"FuoriGrigliaUnPunto",
     true,
     "segnale, 2230, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0",
     9,
     {{"2250", 9, 13}}},
    {"VirgolaDecimale",
     false,
     "pendenza, 1000, 4,5",
     18,
     {{"5", 16, 19}, {"", 17, 19, false}}},
    {"VirgolaDecimaleNegativaSottoLaMeta",
     false,
     "pendenza, 1000, -4,25",
     19,
     {{"-4", 16, 21}, {"", 18, 21, false}}},
    {"VirgolaDecimaleNellaPosizione",
     true,
     "velocita, 1000,5, 100",
     18,
     {{"1001", 10, 16}, {"", 16, 21, false}}},
    {"ValoriInPiu", false, "pendenza, 1000, 4, 7", 19, {{"", 17, 20}}},
    {"ValoriMancanti", false, "pendenza, 1000", 0, {{", pendenza", 14, 14}}},
};

std::string con_la_riga(const std::string& pulita, const std::string& riga) {
  const std::string fine = "[fine]\r\n";
  return pulita.substr(0, pulita.size() - fine.size()) + riga + "\r\n" + fine;
}

class Correzioni : public ::testing::TestWithParam<caso> {};

TEST_P(Correzioni, LeModificheDellaSvista) {
  const caso& k = GetParam();
  cartella_temporanea c;
  scrivi_tutto(c / "A_linea.txt", linea_pulita);
  scrivi_tutto(c / "A_T.txt", treno_pulito);
  const std::string file = k.treno ? "A_T.txt" : "A_linea.txt";
  const std::string testo =
      con_la_riga(k.treno ? treno_pulito : linea_pulita, k.riga);
  const int riga = static_cast<int>(inizi_righe(testo).size()) - 3;
  sessione_lsp s;
  s.inizia();
  s.apri(c / file, testo);
  const json diagnostiche = s.diagnostiche(c / file);
  json scelta;
  for (const json& d : diagnostiche)
    if (contiene(d,
                 {{"range",
                   {{"start", {{"line", riga}, {"character", k.carattere}}}}}}))
      scelta = d;
  ASSERT_FALSE(scelta.is_null()) << diagnostiche.dump(1);
  const std::string uri = uri_da_percorso(c / file);
  s.invia({{"jsonrpc", "2.0"},
           {"id", 9},
           {"method", "textDocument/codeAction"},
           {"params",
            {{"textDocument", {{"uri", uri}}},
             {"range", scelta["range"]},
             {"context", {{"diagnostics", {scelta}}}}}}});
  json attese = json::array();
  for (const modifica& m : k.attese) {
    const json r = {{"start", {{"line", riga}, {"character", m.da}}},
                    {"end", {{"line", riga}, {"character", m.a}}}};
    json cambi;
    cambi[uri] = json::array({{{"newText", m.testo}, {"range", r}}});
    attese.push_back({{"kind", "quickfix"},
                      {"isPreferred", m.preferita},
                      {"edit", {{"changes", cambi}}}});
  }
  const json azioni = s.risposta(9)["result"];
  EXPECT_TRUE(contiene(azioni, attese))
      << "sent: " << azioni.dump(1) << "\nexpected: " << attese.dump(1);
}

INSTANTIATE_TEST_SUITE_P(Lsp, Correzioni, ::testing::ValuesIn(casi),
                         [](const auto& i) {
                           return std::string(i.param.nome);
                         });

}  // namespace
