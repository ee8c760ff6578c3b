// The three binary files of a scenario against each other: a file cut short,
// one with more than the route, one of another scenario.
#include "cli/coerenza.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "tables/formato.h"
#include "commands/ispeziona.h"

namespace {

// The files of the default scenario (62,000 m: cells 0 to 1380, metres 0 to
// 69,000), as the compiler writes them.
struct file_compilati {
  std::string stazioni, celle, piano;
};

const file_compilati& compilati() {
  static const file_compilati f = [] {
    banco b;
    b.compila();
    return file_compilati{b.c.file.at("Valdora_Cesina_KT52806.sim"),
                          b.c.file.at("Valdora_Cesina_KT52806.dat"),
                          b.c.file.at("Valdora_Cesina_linea.dat")};
  }();
  return f;
}

// The plan of `metri` metres cut from the compiled one: the first `metri`
// elements of each half.
std::string piano_di(std::size_t metri) {
  coordinate_piano p;
  errore_decodifica e;
  decodifica_piano(compilati().piano, p, e);
  std::string d;
  for (int asse = 0; asse < 2; ++asse)
    codifica_asse(d, p, asse, 0, static_cast<int32_t>(metri) - 1);
  return d;
}

// The station file with another route length in record 84.
std::string stazioni_con_lunghezza(int32_t lunghezza) {
  tabella_stazioni t;
  errore_decodifica e;
  decodifica_stazioni(compilati().stazioni, t, e);
  t[84].fine = lunghezza;
  std::string d;
  for (const stazione& r : t) codifica_stazione(d, r);
  return d;
}

struct caso_coerenza {
  const char* descrizione;
  std::function<file_compilati()> file;
  bool con_stazioni;
  const char* messaggio;  // empty for a consistent set
};

void PrintTo(const caso_coerenza& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class InsiemeDiFileBinari : public ::testing::TestWithParam<caso_coerenza> {};

// The byte where the records before 84 and the fields of record 84 before
// `fine` end: 84 records of 34 bytes plus their names, then tipo and inizio.
std::size_t offset_record_84() {
  tabella_stazioni t;
  errore_decodifica e;
  decodifica_stazioni(compilati().stazioni, t, e);
  std::size_t offset = 0;
  for (int n = 0; n < 84; ++n) offset += 34 + t[n].nome.size();
  return offset + 1 + 4;
}

TEST_P(InsiemeDiFileBinari, InspectLiControllaInsieme) {
  const caso_coerenza& caso = GetParam();
  const file_compilati f = caso.file();
  std::vector<file_letto> letti = {{"s/L_T.dat", f.celle, {}},
                                   {"s/L_linea.dat", f.piano, {}}};
  if (caso.con_stazioni) letti.push_back({"s/L_T.sim", f.stazioni, {}});
  opzioni_ispeziona o;
  o.json = true;
  std::ostringstream uscita, errori;
  const int esito = ispeziona_letti(letti, o, uscita, errori);
  // The offsets that depend on the names and the plan's elements.
  std::string messaggio = caso.messaggio;
  const std::pair<std::string, std::size_t> segnaposti[] = {
      {"OFFSET84", offset_record_84()}, {"FINE_PIANO", f.piano.size()}};
  for (const auto& [segnaposto, valore] : segnaposti) {
    if (auto p = messaggio.find(segnaposto); p != std::string::npos)
      messaggio.replace(p, segnaposto.size(), std::to_string(valore));
  }
  EXPECT_EQ(errori.str(), messaggio);
  EXPECT_EQ(esito, messaggio.empty() ? 0 : 3);
}

const char* const troncate =
    "s/L_T.dat: file non coerente con gli altri al byte 20700: file troncato: "
    "1381 celle attese, 1380 nel file\n";

INSTANTIATE_TEST_SUITE_P(
    Casi, InsiemeDiFileBinari,
    ::testing::Values(
        caso_coerenza{"coerenti", [] { return compilati(); }, true, ""},
        caso_coerenza{"coerenti_senza_stazioni", [] { return compilati(); },
                      false, ""},
        caso_coerenza{"celle_troncate",
                      [] {
                        file_compilati f = compilati();
                        f.celle.resize(f.celle.size() - 15);
                        return f;
                      },
                      true, troncate},
        caso_coerenza{"celle_oltre_il_percorso",
                      [] {
                        file_compilati f = compilati();
                        f.celle += std::string(30, '\0');
                        return f;
                      },
                      true,
                      "s/L_T.dat: file non coerente con gli altri al byte "
                      "20715: celle oltre il percorso: 1381 celle attese, "
                      "1383 nel file\n"},
        // Cut at the last metres of each half (an even count of elements
        // decodes): 68,001 metres remain.
        caso_coerenza{"piano_troncato",
                      [] {
                        file_compilati f = compilati();
                        f.piano = piano_di(68001);
                        return f;
                      },
                      true,
                      "s/L_linea.dat: file non coerente con gli altri al byte "
                      "FINE_PIANO: file troncato: 69001 coordinate per asse "
                      "attese, 68001 nel file\n"},
        caso_coerenza{"stazioni_di_un_altro_percorso",
                      [] {
                        file_compilati f = compilati();
                        f.stazioni = stazioni_con_lunghezza(61000);
                        return f;
                      },
                      true,
                      "s/L_T.sim: file non coerente con gli altri al byte "
                      "OFFSET84: lunghezza del percorso 61000 m diversa da "
                      "quella delle celle e del tracciato\n"},
        caso_coerenza{"lunghezza_fuori_dai_limiti",
                      [] {
                        file_compilati f = compilati();
                        f.stazioni = stazioni_con_lunghezza(-5);
                        return f;
                      },
                      true,
                      "s/L_T.sim: file non coerente con gli altri al byte "
                      "OFFSET84: lunghezza del percorso -5 fuori dai limiti "
                      "(da 0 a 1000000 m)\n"},
        caso_coerenza{"senza_stazioni_celle_troncate",
                      [] {
                        file_compilati f = compilati();
                        f.celle.resize(f.celle.size() - 15);
                        return f;
                      },
                      false, troncate}),
    [](const auto& info) { return std::string(info.param.descrizione); });

}  // namespace
