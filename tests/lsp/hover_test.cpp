// The hover on values and headers of a small pair: what a value becomes here
// (its cell, its metre, the compiled field and what it reads back as) and
// what a section holds. Each case names texts the hover must hold, in the
// tests' language (Italian).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aiuti.h"
#include "lsp/sessione.h"
#include "lsp/testo_lsp.h"

using json = nlohmann::json;

namespace {

const std::string linea_con_pendenze =
    "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\n"
    "pendenza, 0, 0\r\npendenza, 1025, 4\r\npendenza, 2000, 180\r\n"
    "[fine]\r\n";
const std::string treno_con_sezioni =
    "[generale]\r\nnumero vetture, 6\r\n[vel_limite]\r\nvelocita, 0, 62\r\n"
    "aderenza, 0, 90\r\n[stazioni]\r\n"
    "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, A\r\n"
    "stazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, B\r\n"
    "[segnali]\r\nsegnale, 2200, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"
    "[rallentamenti]\r\n[fine]\r\n";

struct caso_hover {
  const char* nome;
  const char* file;
  int riga;
  int carattere;
  std::vector<std::string> attesi;
  std::vector<std::string> assenti = {};
};

const std::vector<caso_hover> casi_hover = {
    // 1025 / 50 = 20.5, to even: cell 20, whose gradient is 4 + 100.
    {"PosizioneFuoriGriglia",
     "A_linea.txt",
     4,
     11,
     {"cella 20", "1000 m", "1025 m è fuori dalla griglia di 50 m",
      "le metà al pari",
      "la cella 20 contiene `pendenza` = 104 (gradient per mille + 100)"}},
    {"ValoreTenuto",
     "A_linea.txt",
     4,
     16,
     {"la cella 20 contiene `pendenza` = 104", "riletto: 4 per mille"}},
    // 180 + 100 = 280: the byte keeps 24, which reads back as -76.
    {"ValoreCheIlByteAvvolge",
     "A_linea.txt",
     5,
     17,
     {"la cella 40 contiene `pendenza` = 24",
      "**Non come è scritto:** 180 per mille si rilegge dal campo compilato "
      "come -76 per mille"}},
    {"VelocitaArrotondata",
     "A_T.txt",
     3,
     13,
     {"la cella 0 contiene `velocita` = 12",
      "**Non come è scritto:** 62 km/h si rilegge dal campo compilato come "
      "60 km/h"}},
    // A point item: the cell that starts at 2200 m is cell 45.
    {"SegnaleNellaSuaCella",
     "A_T.txt",
     9,
     10,
     {"cade nella cella 45, che il compilatore colloca a 2200 m",
      "la cella 45 contiene", "`tipo` = 1", "`dato1` = 42"}},
    // A station's position: not its cell, which is not where the station
    // is written, but its record, found by position and name.
    {"StazioneNelSuoRecord",
     "A_T.txt",
     6,
     11,
     {"Compilato: il record 1 contiene", "`posizione` = 500", "`tipo` = 12",
      "`nome` = \"A\"", "`fine` = 800"},
     {"la cella"}},
    {"IntestazioneDellaLinea",
     "A_linea.txt",
     2,
     3,
     {"**`[pendenze]`**, una sezione della descrizione della linea: L5",
      "- L5 `pendenza`: The gradient from a position on"}},
    {"IntestazioneGeneraleConUnIntervallo",
     "A_linea.txt",
     0,
     1,
     {"L1 to L4", "- L1 `lunghezza percorso`", "- L3 `sfondo uno`",
      "- L4 `ripetizione segnali 4 codici`"}},
    {"IntestazioneDelTreno",
     "A_T.txt",
     10,
     5,
     {"una sezione della descrizione della corsa del treno: T9, T10",
      "- T9 `rallentamento`", "- T10 `abbattimento`"}},
};

class Hover : public ::testing::TestWithParam<caso_hover> {};

TEST_P(Hover, DiceCosaDiventa) {
  const caso_hover& k = GetParam();
  cartella_temporanea c;
  sessione_lsp s;
  s.inizia();
  s.apri(c / "A_linea.txt", linea_con_pendenze);
  s.apri(c / "A_T.txt", treno_con_sezioni);
  s.invia({{"jsonrpc", "2.0"},
           {"id", 5},
           {"method", "textDocument/hover"},
           {"params",
            {{"textDocument", {{"uri", uri_da_percorso(c / k.file)}}},
             {"position", {{"line", k.riga}, {"character", k.carattere}}}}}});
  const json r = s.risposta(5)["result"];
  ASSERT_TRUE(r.is_object()) << r.dump();
  const std::string testo = r["contents"]["value"];
  for (const std::string& a : k.attesi)
    EXPECT_NE(testo.find(a), std::string::npos) << a << "\nin:\n" << testo;
  for (const std::string& a : k.assenti)
    EXPECT_EQ(testo.find(a), std::string::npos) << a << "\nin:\n" << testo;
}

INSTANTIATE_TEST_SUITE_P(Lsp, Hover, ::testing::ValuesIn(casi_hover),
                         [](const auto& i) {
                           return std::string(i.param.nome);
                         });

// A hover right after a change, before the typing pauses, reads the cells of
// the text as changed, not those of the last check.
TEST(HoverDopoUnaModifica, LeggeIlTestoNuovo) {
  cartella_temporanea c;
  sessione_lsp s;
  s.inizia();
  s.apri(c / "A_linea.txt", linea_con_pendenze);
  s.apri(c / "A_T.txt", treno_con_sezioni);
  const std::string uri = uri_da_percorso(c / "A_linea.txt");
  const json r = {{"start", {{"line", 4}, {"character", 16}}},
                  {"end", {{"line", 4}, {"character", 17}}}};
  const json modifica = {
      {"jsonrpc", "2.0"},
      {"method", "textDocument/didChange"},
      {"params",
       {{"textDocument", {{"uri", uri}, {"version", 2}}},
        {"contentChanges", json::array({{{"range", r}, {"text", "7"}}})}}}};
  const json hover = {{"jsonrpc", "2.0"},
                      {"id", 6},
                      {"method", "textDocument/hover"},
                      {"params",
                       {{"textDocument", {{"uri", uri}}},
                        {"position", {{"line", 4}, {"character", 16}}}}}};
  // Sent without letting the checks run, as when typing goes on.
  s.server.ricevi(modifica.dump());
  s.server.ricevi(hover.dump());
  const std::string testo = s.risposta(6)["result"]["contents"]["value"];
  EXPECT_NE(testo.find("`pendenza` = 107"), std::string::npos) << testo;
}

}  // namespace
