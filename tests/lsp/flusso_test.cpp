// The server on a byte stream, as an editor drives it: whole streams in
// through a pipe, the framed answers out, and the exit status. A bad frame,
// body and all, costs one error answer and no later message.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "lsp/lsp.h"
#include "lsp/sessione.h"
#include "lsp/trasporto.h"

using json = nlohmann::json;

namespace {

std::string in_cornice(const json& m) { return incornicia(m.dump()); }

const std::string inizializzazione =
    in_cornice({{"jsonrpc", "2.0"},
                {"id", 1},
                {"method", "initialize"},
                {"params", {{"capabilities", json::object()}}}});
const std::string chiusura =
    in_cornice({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}});
const std::string uscita = in_cornice({{"jsonrpc", "2.0"}, {"method", "exit"}});

struct caso_flusso {
  const char* nome;
  std::string flusso;
  std::vector<std::string> attese;  // each answer, matched as a subset
  int stato;
};

const std::vector<caso_flusso> casi_flusso = {
    {"ShutdownEdExit",
     inizializzazione + chiusura + uscita,
     {R"({"id":1})", R"({"id":2,"result":null})"},
     0},
    {"FineDellIngressoSenzaShutdown", inizializzazione, {R"({"id":1})"}, 1},
    {"ExitSenzaShutdown", inizializzazione + uscita, {R"({"id":1})"}, 1},
    {"UnaTestataSenzaLunghezzaConIlSuoCorpo",
     inizializzazione +
         "Content-Type: x\r\n\r\n{\"jsonrpc\":\"2.0\",\"id\":9}" + chiusura +
         uscita,
     {R"({"id":1})", R"({"id":null,"error":{"code":-32700}})",
      R"({"id":2,"result":null})"},
     0},
    {"UnCorpoCheNonEJson",
     inizializzazione + "Content-Length: 5\r\n\r\n{bad}" + chiusura + uscita,
     {R"({"id":1})", R"({"id":null,"error":{"code":-32700}})",
      R"({"id":2,"result":null})"},
     0},
};

std::vector<json> risposte(std::string uscite) {
  std::vector<json> r;
  for (cornice c = estrai_messaggio(uscite); c.esito == esito_cornice::completo;
       c = estrai_messaggio(uscite))
    r.push_back(json::parse(c.corpo));
  return r;
}

class Flusso : public ::testing::TestWithParam<caso_flusso> {};

TEST_P(Flusso, RisposteEStato) {
  const caso_flusso& k = GetParam();
  int tubo[2];
  ASSERT_EQ(pipe(tubo), 0);
  ASSERT_EQ(write(tubo[1], k.flusso.data(), k.flusso.size()),
            static_cast<ssize_t>(k.flusso.size()));
  close(tubo[1]);
  std::ostringstream fuori;
  const int stato = esegui_lsp(tubo[0], fuori, std::chrono::milliseconds(0));
  close(tubo[0]);
  EXPECT_EQ(stato, k.stato);
  const std::vector<json> r = risposte(fuori.str());
  ASSERT_EQ(r.size(), k.attese.size()) << json(r).dump(1);
  for (std::size_t i = 0; i < r.size(); ++i)
    EXPECT_TRUE(contiene(r[i], json::parse(k.attese[i]))) << r[i].dump();
}

INSTANTIATE_TEST_SUITE_P(Lsp, Flusso, ::testing::ValuesIn(casi_flusso),
                         [](const auto& i) {
                           return std::string(i.param.nome);
                         });

}  // namespace
