// The JSON written as it is walked is laid out byte for byte as nlohmann's
// dump(2) of the whole document: nesting, empty arrays and objects, and
// strings that are not UTF-8; and `inspect --json` so written is that dump of
// what it prints, for every kind of file and option.
#include "commands/json_a_flusso.h"

#include <gtest/gtest.h>

#include <sstream>

#include "banco.h"
#include "commands/ispeziona.h"

namespace {

using json = nlohmann::ordered_json;

std::string intero(const json& j) {
  return j.dump(2, ' ', false, json::error_handler_t::replace);
}

// Writes `j` through the writer: arrays and objects opened and closed, the
// values of `piccoli` levels and below whole.
void scrivi(json_a_flusso& w, const json& j, int piccoli) {
  if (!j.is_structured() || piccoli == 0) return w.valore(j);
  if (j.is_array()) {
    w.apri_array();
    for (const json& v : j) scrivi(w, v, piccoli - 1);
  } else {
    w.apri_oggetto();
    for (const auto& [k, v] : j.items()) {
      w.chiave(k);
      scrivi(w, v, piccoli - 1);
    }
  }
  w.chiudi();
}

TEST(JsonAFlusso, ComeIlDocumentoIntero) {
  const json casi[] = {
      json::array(),
      json::object(),
      json::array({json::object(), json::array(), 1, "a"}),
      json::parse(R"([{"file":"x","celle":[]},{"file":"y","record":[{"a":1,
        "b":[1.5,-2e300,null,true]},{"c":{"d":{}}}]}])"),
      json::parse(R"({"a\"b\n":"riga\nriga","vuoto":{},"punti":[[0.1,2]]})"),
      {{"file", std::string("caf\xe9\xff", 5)}, {std::string("\xe9"), 1}},
  };
  for (const json& j : casi) {
    SCOPED_TRACE(intero(j));
    for (int piccoli : {0, 1, 2, 3, 9}) {
      std::ostringstream o;
      json_a_flusso w(o);
      scrivi(w, j, piccoli);
      EXPECT_EQ(o.str(), intero(j)) << piccoli;
    }
  }
}

TEST(JsonAFlusso, InspectComeIlDocumentoIntero) {
  banco b;
  ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
  std::vector<file_letto> tutti;
  for (const auto& [nome, dati] : b.c.file) {
    if (nome.ends_with(".dat") || nome.ends_with(".sim"))
      tutti.push_back({"s/\xe9" + nome, dati, {}});
  }
  ASSERT_EQ(tutti.size(), 3u);
  std::vector<std::vector<file_letto>> insiemi = {tutti, {}};
  for (const file_letto& f : tutti) insiemi.push_back({f});
  // A plan cut short: the other files are shown, the plan is refused.
  tutti[2].dati.resize(1001);
  insiemi.push_back(tutti);
  for (const auto& file : insiemi) {
    for (int k = 0; k < 3; ++k) {
      opzioni_ispeziona o;
      o.json = true;
      o.tutto = k == 1;
      if (k == 2) o.metro = 2000;
      std::ostringstream uscita, errori;
      ispeziona_letti(file, o, uscita, errori);
      SCOPED_TRACE(std::to_string(file.size()) + " files, " + errori.str());
      EXPECT_EQ(uscita.str(), intero(json::parse(uscita.str())) + '\n') << k;
    }
  }
}

}  // namespace
