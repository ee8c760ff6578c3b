// Transcripts of the language server: the messages an editor sends, and the
// messages expected back, each matched as a subset and in order. The files
// on disk stand in a temporary folder ($D in the messages); $LINEA and $TRENO
// are the texts of a clean pair.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "aiuti.h"
#include "lsp/sessione.h"

using json = nlohmann::json;

namespace {

const std::string linea =
    "[generale]\r\nlunghezza percorso, 4000\r\n[pendenze]\r\npendenza, 0, "
    "0\r\npendenza, 1000, 4\r\n[fine]\r\n";
const std::string treno =
    "[generale]\r\nnumero vetture, 6\r\nvelocita, 0, 100\r\naderenza, 0, "
    "90\r\nstazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
    "A\r\nstazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, "
    "B\r\n[fine]\r\n";

struct trascrizione {
  const char* nome;
  std::map<std::string, std::string> su_disco;
  std::vector<std::string> inviati;
  std::vector<std::string> attesi;
};

const char* apri_linea =
    R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://$D/A_linea.txt","languageId":"s","version":1,"text":$LINEA}}})";
const char* apri_treno =
    R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file://$D/A_T.txt","languageId":"s","version":1,"text":$TRENO}}})";
const char* inizio =
    R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})";

const std::vector<trascrizione> trascrizioni = {
    {"UnMessaggioMalformatoHaLaSuaRispostaEIlServerVaAvanti",
     {},
     {inizio, "{not json", R"([1,2])",
      R"({"jsonrpc":"2.0","id":7,"method":"nessuno"})",
      R"({"jsonrpc":"2.0","id":8,"method":"textDocument/hover","params":{}})",
      R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})",
      R"({"jsonrpc":"2.0","id":10,"method":"shutdown"})"},
     {R"({"id":0,"result":{"capabilities":{"positionEncoding":"utf-16","textDocumentSync":{"change":2}}}})",
      R"({"id":null,"error":{"code":-32700}})",
      R"({"id":null,"error":{"code":-32600}})",
      R"({"id":7,"error":{"code":-32601}})",
      R"({"id":8,"error":{"code":-32602}})", R"({"id":9,"result":null})",
      R"({"id":10,"error":{"code":-32600}})"}},
    {"PrimaDiInitializeNessunaRichiesta",
     {},
     {R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})"},
     {R"({"id":1,"error":{"code":-32002}})"}},
    {"UTF8SeIlClientLoOffre",
     {},
     {R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{"general":{"positionEncodings":["utf-16","utf-8"]}}}})"},
     {R"({"id":1,"result":{"capabilities":{"positionEncoding":"utf-8"}}})"}},
    {"IlCompagnoSulDiscoEUnaModificaIncrementale",
     {{"A_linea.txt", linea}, {"A_T.txt", treno}},
     {inizio, apri_treno,
      R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://$D/A_T.txt","version":2},"contentChanges":[{"range":{"start":{"line":5,"character":12},"end":{"line":5,"character":13}},"text":"2"}]}})"},
     {R"({"method":"textDocument/publishDiagnostics","params":{"uri":"file://$D/A_T.txt","version":1,"diagnostics":[]}})",
      R"({"method":"textDocument/publishDiagnostics","params":{"uri":"file://$D/A_T.txt","version":2,"diagnostics":[{"code":8,"severity":1,"source":"scenario_builder","range":{"start":{"line":5,"character":10},"end":{"line":5,"character":14}}}]}})"}},
    {"UnaModificaDellaLineaPubblicaAncheIlTreno",
     {{"A_linea.txt", linea}, {"A_T.txt", treno}},
     {inizio, apri_linea, apri_treno,
      R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://$D/A_linea.txt","version":2},"contentChanges":[{"range":{"start":{"line":1,"character":20},"end":{"line":1,"character":21}},"text":"2"}]}})"},
     {R"({"method":"textDocument/publishDiagnostics","params":{"uri":"file://$D/A_linea.txt","version":2,"diagnostics":[]}})",
      R"({"method":"textDocument/publishDiagnostics","params":{"uri":"file://$D/A_T.txt","diagnostics":[{"severity":2,"range":{"start":{"line":5,"character":10},"end":{"line":5,"character":14}}}]}})"}},
    {"UnFileSenzaCompagnoLoDiceUnaVolta",
     {},
     {inizio, apri_treno,
      R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"file://$D/A_T.txt","version":2},"contentChanges":[{"text":$TRENO}]}})",
      R"({"jsonrpc":"2.0","id":5,"method":"shutdown"})"},
     {R"({"method":"window/showMessage","params":{"type":3}})",
      R"({"method":"textDocument/publishDiagnostics","params":{"version":1}})",
      R"({"method":"textDocument/publishDiagnostics","params":{"version":2}})",
      R"({"id":5,"result":null})"}},
    {"LaChiusuraSvuotaLeDiagnostiche",
     {{"A_linea.txt", linea}},
     {inizio, apri_treno,
      R"({"jsonrpc":"2.0","method":"textDocument/didClose","params":{"textDocument":{"uri":"file://$D/A_T.txt"}}})"},
     {R"({"method":"textDocument/publishDiagnostics","params":{"uri":"file://$D/A_T.txt","diagnostics":[]}})"}},
};

std::string sostituisci_tutto(std::string s, const std::string& da,
                              const std::string& a) {
  for (std::size_t p = s.find(da); p != std::string::npos;
       p = s.find(da, p + a.size()))
    s.replace(p, da.size(), a);
  return s;
}

std::string prepara(const std::string& s, const std::string& cartella) {
  std::string r = sostituisci_tutto(s, "$LINEA", json(linea).dump());
  r = sostituisci_tutto(r, "$TRENO", json(treno).dump());
  return sostituisci_tutto(r, "$D", cartella);
}

class Trascrizioni : public ::testing::TestWithParam<trascrizione> {};

TEST_P(Trascrizioni, RisposteAtteseInOrdine) {
  const trascrizione& t = GetParam();
  cartella_temporanea c;
  const std::string d = c.percorso().string();
  for (const auto& [nome, testo] : t.su_disco) scrivi_tutto(c / nome, testo);
  sessione_lsp s;
  for (const std::string& m : t.inviati) {
    s.server.ricevi(prepara(m, d));
    s.server.esegui_scadute(orologio::time_point::max());
  }
  std::size_t dove = 0;
  for (const std::string& a : t.attesi) {
    const json atteso = json::parse(prepara(a, d));
    while (dove < s.uscite.size() && !contiene(s.uscite[dove], atteso)) ++dove;
    ASSERT_LT(dove, s.uscite.size())
        << "not found in order: " << atteso.dump() << "\nsent:\n"
        << json(s.uscite).dump(1);
    ++dove;
  }
  // Nothing is written beside the descriptions.
  EXPECT_EQ(elenco(c.percorso()).size(), t.su_disco.size());
}

INSTANTIATE_TEST_SUITE_P(Lsp, Trascrizioni, ::testing::ValuesIn(trascrizioni),
                         [](const auto& i) {
                           return std::string(i.param.nome);
                         });

}  // namespace
