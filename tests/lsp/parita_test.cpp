// The diagnostics of the language server are the problems that `check
// --json` reports for the same two files: the same list in the same order,
// each at its line with the same severity, code and message, starting at the
// column check gives or further along the same line (at the value a problem
// about a position is about). Over every pair of the fixtures, swapped too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aiuti.h"
#include "cli/lingua.h"
#include "core/testi.h"
#include "lsp/sessione.h"
#include "platform/cp1252.h"

using json = nlohmann::json;

namespace {

struct coppia {
  const char* linea;
  const char* treno;
};

json controlla_json(const std::string& linea, const std::string& treno) {
  std::string uscita;
  esegui("'" + std::string(PROGRAMMA) + "' check --json '" + linea + "' '" +
             treno + "'",
         &uscita);
  return json::parse(uscita);
}

std::string messaggio_atteso(const json& p) {
  std::string m = p["messaggio"];
  if (p["registrato"]) m += " " + std::string(traduci("[recorded]"));
  if (!p["suggerimento"].get<std::string>().empty())
    m += " " + sostituisci(traduci("(maybe \"{0}\"?)"), {p["suggerimento"]});
  return m;
}

void confronta(const json& problemi, const std::string& nome,
               const json& diagnostiche) {
  std::vector<json> attesi;
  for (const json& p : problemi) {
    if (p["file"] == nome) attesi.push_back(p);
  }
  ASSERT_EQ(diagnostiche.size(), attesi.size()) << diagnostiche.dump(1);
  for (std::size_t i = 0; i < attesi.size(); ++i) {
    const json& p = attesi[i];
    const json& d = diagnostiche[i];
    const int riga = std::max(p["riga"].get<int>() - 1, 0);
    EXPECT_EQ(d["range"]["start"]["line"], riga) << d.dump();
    EXPECT_GE(d["range"]["start"]["character"].get<int>(),
              std::max(p["colonna"].get<int>() - 1, 0))
        << d.dump();
    EXPECT_EQ(d["severity"], p["gravita"] == "errore" ? 1 : 2);
    EXPECT_EQ(d.value("code", 0), p["codice"]);
    EXPECT_EQ(d["message"], messaggio_atteso(p));
    EXPECT_EQ(d["data"]["registrato"], p["registrato"]);
  }
}

class Parita : public ::testing::TestWithParam<coppia> {};

TEST_P(Parita, LeDiagnosticheSonoIProblemiDiCheck) {
  cartella_temporanea c;
  const std::string linea = c / "F_linea.txt";
  const std::string treno = c / "F_T.txt";
  const std::string testo_linea = leggi_tutto(fixture(GetParam().linea));
  const std::string testo_treno = leggi_tutto(fixture(GetParam().treno));
  scrivi_tutto(linea, testo_linea);
  scrivi_tutto(treno, testo_treno);
  const json atteso = controlla_json(linea, treno);
  ASSERT_TRUE(atteso["registro"].is_null() ||
              !atteso["registro"].contains("fatale"));
  sessione_lsp s;
  s.inizia();
  // The editor holds the files as UTF-8.
  s.apri(linea, cp1252_a_utf8(testo_linea));
  s.apri(treno, cp1252_a_utf8(testo_treno));
  confronta(atteso["problemi"], linea, s.diagnostiche(linea));
  confronta(atteso["problemi"], treno, s.diagnostiche(treno));
}

INSTANTIATE_TEST_SUITE_P(
    Lsp, Parita,
    ::testing::Values(coppia{"piccola/linea.txt", "piccola/treno.txt"},
                      coppia{"piccola/linea.txt", "errate/treno.txt"},
                      coppia{"attesi/linea.txt", "attesi/treno.txt"},
                      coppia{"attesi/treno.txt", "attesi/linea.txt"},
                      coppia{"piccola/treno.txt", "errate/treno.txt"},
                      coppia{"attesi/scheda.txt", "attesi/rallentamenti.txt"}));

}  // namespace
