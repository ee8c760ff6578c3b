// Hover, completion, outline and quick fixes on a small pair.
#include <gtest/gtest.h>

#include "aiuti.h"
#include "lsp/formattazione_editore.h"
#include "lsp/sessione.h"
#include "lsp/testo_lsp.h"

using json = nlohmann::json;

namespace {

const std::string linea_con_refuso =
    "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\n"
    "- un commento\r\npendenza, 1025, 4\r\npendneza, 2000, 5\r\n[fine]\r\n";
const std::string treno_con_una_stazione =
    "[generale]\r\nvelocita, 0, 100\r\n[stazioni]\r\n"
    "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
    "Città\r\n[fine]\r\n";

class Risposte : public ::testing::Test {
 protected:
  void SetUp() override {
    s.inizia();
    s.apri(c / "A_linea.txt", linea_con_refuso);
    s.apri(c / "A_T.txt", treno_con_una_stazione);
  }
  json chiedi(const std::string& metodo, const std::string& file, json p) {
    p["textDocument"] = {{"uri", uri_da_percorso(c / file)}};
    s.invia(
        {{"jsonrpc", "2.0"}, {"id", ++id}, {"method", metodo}, {"params", p}});
    return s.risposta(id)["result"];
  }
  json in(int riga, int car) {
    return {{"position", {{"line", riga}, {"character", car}}}};
  }
  cartella_temporanea c;
  sessione_lsp s;
  int id = 100;
};

TEST_F(Risposte, HoverSullaParolaChiaveESulValore) {
  const std::string chiave = chiedi("textDocument/hover", "A_linea.txt",
                                    in(4, 3))["contents"]["value"];
  EXPECT_EQ(chiave.rfind("### L5 `pendenza`", 0), 0u) << chiave;
  const std::string valore = chiedi("textDocument/hover", "A_linea.txt",
                                    in(4, 11))["contents"]["value"];
  // 1025 m on a stretch: round(20.5) = 20, halves to even: metre 1000.
  EXPECT_NE(valore.find("20"), std::string::npos) << valore;
  EXPECT_NE(valore.find("1000"), std::string::npos) << valore;
  EXPECT_NE(valore.find("1025"), std::string::npos) << valore;
  EXPECT_TRUE(chiedi("textDocument/hover", "A_linea.txt", in(3, 3)).is_null());
}

TEST_F(Risposte, CompletamentoSecondoLaSezione) {
  auto etichette = [](const json& voci) {
    std::vector<std::string> e;
    for (const json& v : voci) e.push_back(v["label"]);
    return e;
  };
  const auto generale =
      etichette(chiedi("textDocument/completion", "A_linea.txt", in(1, 0)));
  const auto principale =
      etichette(chiedi("textDocument/completion", "A_linea.txt", in(4, 0)));
  auto ha = [](const std::vector<std::string>& v, const std::string& x) {
    return std::find(v.begin(), v.end(), x) != v.end();
  };
  EXPECT_TRUE(ha(generale, "lunghezza percorso"));
  EXPECT_FALSE(ha(generale, "pendenza"));
  EXPECT_TRUE(ha(principale, "pendenza"));
  EXPECT_TRUE(ha(principale, "[pendenze]"));
  EXPECT_FALSE(ha(principale, "lunghezza percorso"));
  EXPECT_TRUE(
      chiedi("textDocument/completion", "A_linea.txt", in(3, 5)).empty());
  EXPECT_TRUE(
      chiedi("textDocument/completion", "A_linea.txt", in(4, 11)).empty());
  for (const json& v : chiedi("textDocument/completion", "A_T.txt", in(3, 0))) {
    if (v["label"] == "velocita") {
      EXPECT_EQ(v["insertTextFormat"], 2);
      EXPECT_NE(v["insertText"].get<std::string>().find("${1:"),
                std::string::npos);
    }
  }
}

// A completion writes over what was typed from the line's first letter: a
// keyword of two words, or a header with its bracket, is not doubled.
TEST_F(Risposte, IlCompletamentoSostituisceQuelloCheEScritto) {
  s.invia({{"jsonrpc", "2.0"},
           {"method", "textDocument/didChange"},
           {"params",
            {{"textDocument",
              {{"uri", uri_da_percorso(c / "A_linea.txt")}, {"version", 2}}},
             {"contentChanges",
              json::array(
                  {{{"range",
                     {{"start", {{"line", 1}, {"character", 0}}},
                      {"end", {{"line", 1}, {"character", 24}}}}},
                    {"text", "  lunghezza p"}}})}}}});
  const json voci =
      chiedi("textDocument/completion", "A_linea.txt", in(1, 13));
  const json r = {{"start", {{"line", 1}, {"character", 2}}},
                  {"end", {{"line", 1}, {"character", 13}}}};
  bool trovata = false;
  for (const json& v : voci) {
    EXPECT_EQ(v["textEdit"]["range"], r) << v.dump();
    if (v["label"] == "lunghezza percorso") {
      trovata = true;
      EXPECT_EQ(v["textEdit"]["newText"], "lunghezza percorso, ${1:lunghezza}");
    }
  }
  EXPECT_TRUE(trovata) << voci.dump();
}

// Each section encloses its items, as the protocol asks of children.
TEST_F(Risposte, LeSezioniRacchiudonoLeLoroVoci) {
  const json simboli =
      chiedi("textDocument/documentSymbol", "A_T.txt", json::object());
  ASSERT_FALSE(simboli.empty());
  for (const json& sezione : simboli) {
    const int da = sezione["range"]["start"]["line"];
    const int a = sezione["range"]["end"]["line"];
    EXPECT_EQ(sezione["selectionRange"]["start"]["line"], da);
    for (const json& figlio : sezione["children"]) {
      EXPECT_GE(figlio["range"]["start"]["line"].get<int>(), da);
      EXPECT_LE(figlio["range"]["end"]["line"].get<int>(), a);
    }
  }
  EXPECT_EQ(simboli[1]["range"]["start"]["line"], 2);
  EXPECT_EQ(simboli[1]["range"]["end"]["line"], 3);
}

TEST_F(Risposte, SchemaConLeStazioniPerNome) {
  const json simboli =
      chiedi("textDocument/documentSymbol", "A_T.txt", json::object());
  ASSERT_EQ(simboli.size(), 3u) << simboli.dump();
  EXPECT_EQ(simboli[1]["name"], "[stazioni]");
  ASSERT_EQ(simboli[1]["children"].size(), 1u);
  EXPECT_EQ(simboli[1]["children"][0]["name"], "Città 500 m");
}

TEST_F(Risposte, CorrezioneDellaParolaSbagliata) {
  const json d = s.diagnostiche(c / "A_linea.txt");
  json scelta;
  for (const json& x : d) {
    if (x["range"]["start"]["line"] == 5) scelta = x;
  }
  ASSERT_FALSE(scelta.is_null()) << d.dump();
  const json azioni = chiedi(
      "textDocument/codeAction", "A_linea.txt",
      {{"range", scelta["range"]}, {"context", {{"diagnostics", {scelta}}}}});
  ASSERT_EQ(azioni.size(), 1u);
  const json modifica =
      azioni[0]["edit"]["changes"][uri_da_percorso(c / "A_linea.txt")][0];
  EXPECT_EQ(modifica["newText"], "pendenza");
  EXPECT_EQ(modifica["range"]["start"]["character"], 0);
  EXPECT_EQ(modifica["range"]["end"]["character"], 8);
}

}  // namespace

namespace {

// A signal in the cell of a speed board of the line description: the fault
// points at the board, and go to definition from the signal's position leads
// there.
TEST(RisposteOccupante, LaCellaOccupataRimandaAllAltroFile) {
  cartella_temporanea c;
  sessione_lsp s;
  s.inizia();
  s.apri(c / "O_linea.txt",
         "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\npendenza, 0, "
         "0\r\n"
         "[cartelli]\r\nindicatori_vmax, 2200, 80, 90, 95, 0, 80, 90, 95, "
         "0\r\n[fine]\r\n");
  s.apri(c / "O_T.txt",
         "[generale]\r\nnumero vetture, 6\r\nvelocita, 0, 100\r\naderenza, 0, "
         "90\r\n"
         "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, A\r\n"
         "segnale, 2200, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0\r\n"
         "stazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, "
         "B\r\n[fine]\r\n");
  const json d = s.diagnostiche(c / "O_T.txt");
  ASSERT_EQ(d.size(), 1u) << d.dump();
  const json luogo = {{"uri", uri_da_percorso(c / "O_linea.txt")},
                      {"range",
                       {{"start", {{"line", 5}, {"character", 0}}},
                        {"end", {{"line", 5}, {"character", 15}}}}}};
  EXPECT_TRUE(
      contiene(d[0], {{"code", 16},
                      {"range", {{"start", {{"line", 5}, {"character", 9}}}}},
                      {"relatedInformation", {{{"location", luogo}}}}}))
      << d.dump();
  s.invia({{"jsonrpc", "2.0"},
           {"id", 3},
           {"method", "textDocument/definition"},
           {"params",
            {{"textDocument", {{"uri", uri_da_percorso(c / "O_T.txt")}}},
             {"position", {{"line", 5}, {"character", 10}}}}}});
  EXPECT_EQ(s.risposta(3)["result"], luogo);
}

}  // namespace

namespace {

// Format document through fmt: the buffer comes back in the canonical layout,
// as UTF-8 (a letter of Windows-1252 kept), and a buffer fmt refuses gets no
// edit.
TEST(RisposteFormattazione, IlDocumentoNelLayoutDiFmt) {
  std::vector<json> uscite;
  server_lsp server([&](const json& m) { uscite.push_back(m); },
                    formatta_per_editore);
  const auto invia = [&](const json& m) {
    server.ricevi(m.dump());
    server.esegui_scadute(orologio::time_point::max());
  };
  invia({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"},
         {"params", {{"capabilities", json::object()}}}});
  EXPECT_TRUE(contiene(uscite.back(),
                       {{"result",
                         {{"capabilities",
                           {{"documentFormattingProvider", true}}}}}}));
  const std::string uri = "file:///tmp/formattazione/A_T.txt";
  const std::string disordinato =
      "[generale]\r\nvelocita,0,100\r\n[stazioni]\r\nstazione, 500,12, 600, "
      "0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, Città\r\n[fine]\r\n";
  const std::string atteso =
      "[generale]\r\nvelocita, 0, 100\r\n[stazioni]\r\nstazione, 500, 12, "
      "600, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 8, 0, 0, Città\r\n[fine]\r\n";
  const struct {
    std::string testo;
    json modifiche;
  } casi[] = {
      {disordinato, json::array({{{"newText", atteso}}})},
      {atteso, json::array()},
      {std::string("[generale]\r\n\0\0\0", 15), json::array()},
  };
  int id = 10;
  for (const auto& caso : casi) {
    invia({{"jsonrpc", "2.0"},
           {"method", "textDocument/didOpen"},
           {"params",
            {{"textDocument",
              {{"uri", uri},
               {"languageId", "scenario"},
               {"version", id},
               {"text", caso.testo}}}}}});
    invia({{"jsonrpc", "2.0"},
           {"id", ++id},
           {"method", "textDocument/formatting"},
           {"params",
            {{"textDocument", {{"uri", uri}}},
             {"options", {{"tabSize", 2}, {"insertSpaces", true}}}}}});
    json risposta;
    for (const json& m : uscite)
      if (m.contains("id") && m["id"] == id) risposta = m;
    EXPECT_TRUE(contiene(risposta["result"], caso.modifiche))
        << risposta.dump();
    EXPECT_EQ(risposta["result"].size(), caso.modifiche.size());
  }
}

}  // namespace
