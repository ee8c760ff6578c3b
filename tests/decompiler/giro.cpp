#include "giro.h"

#include <utility>

#include "tables/piano_steso.h"

#include "compiler/memorizza_percorso.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"

namespace {

std::string testo_di(const std::vector<std::string>& righe) {
  std::size_t byte = 0;
  for (const std::string& riga : righe) byte += riga.size() + 2;
  std::string testo;
  testo.reserve(byte);
  for (const std::string& riga : righe) testo.append(riga).append("\r\n");
  return testo;
}

// The bytes of a file that the compiler wrote, empty when it wrote none,
// taken out of the folder (a plan runs to megabytes, and the fuzzer compiles
// thousands of them).
std::string file_scritto(cartella_memoria& c, const std::string& nome) {
  const auto f = c.file.find(nome);
  return f == c.file.end() ? std::string() : std::move(f->second);
}

// The first byte where two files differ, with the cell or record it falls in.
std::string differenza(const char* file, const std::string& a,
                       const std::string& b, std::size_t per_elemento) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "";
  std::string testo = std::string(file) + ": byte " + std::to_string(i) +
                      " (lunghezze " + std::to_string(a.size()) + " e " +
                      std::to_string(b.size()) + ")";
  if (per_elemento > 0)
    testo += ", elemento " + std::to_string(i / per_elemento);
  return testo + "\n";
}

}  // namespace

namespace {

// With `coordinate` false the plan's coordinates are not laid out: the second
// compilation of a round trip is compared by its bytes alone, and laying out
// thousands of metres again would cost the fuzzer a good part of a run.
compilazione compila_in_memoria(const std::vector<std::string>& linea,
                                const std::vector<std::string>& treno,
                                const std::string& nome_linea,
                                const std::string& nome_treno, bool con_piano,
                                bool coordinate) {
  scenario sc;
  sc.nome_linea = sc.radice_linea = nome_linea;
  sc.nome_treno = sc.radice_treno = nome_treno;
  cartella_memoria cartella;
  cartella.file[nome_descrizione_linea(sc)] = testo_di(linea);
  cartella.file[nome_descrizione_treno(sc)] = testo_di(treno);
  tabelle t;
  diagnostica d;
  const esito_compilazione esito =
      memorizza_percorso(sc, cartella, cartella, con_piano, t, d);
  compilazione c;
  c.scritta = esito.tipo == esito_compilazione::completata;
  c.codice_errore = d.codice_errore;
  c.celle = std::move(t.celle);
  c.stazioni = t.stazioni;
  if (coordinate) c.piano = coordinate_del_piano(t.piano);
  c.byte_celle = file_scritto(cartella, nome_tabella_celle(sc));
  c.byte_stazioni = file_scritto(cartella, nome_tabella_stazioni(sc));
  c.byte_piano = file_scritto(cartella, nome_geometria_linea(sc));
  return c;
}

}  // namespace

compilazione compila(const std::vector<std::string>& linea,
                     const std::vector<std::string>& treno,
                     const std::string& nome_linea,
                     const std::string& nome_treno, bool con_piano) {
  return compila_in_memoria(linea, treno, nome_linea, nome_treno, con_piano,
                            true);
}

esito_decompilazione decompila_tabelle(const compilazione& c) {
  return decompila(c.celle, c.stazioni,
                   c.piano.presente() ? &c.piano : nullptr);
}

giro giro_completo(const std::vector<std::string>& linea,
                   const std::vector<std::string>& treno,
                   const std::string& nome_linea, const std::string& nome_treno,
                   bool con_piano) {
  giro g;
  g.primo = compila(linea, treno, nome_linea, nome_treno, con_piano);
  if (!g.primo.scritta) return g;
  g.decompilata = decompila_tabelle(g.primo);
  g.secondo =
      compila_in_memoria(g.decompilata.righe_linea, g.decompilata.righe_treno,
                         g.decompilata.nome_linea, g.decompilata.nome_treno,
                         g.decompilata.con_piano, false);
  return g;
}

std::string prima_differenza(const compilazione& a, const compilazione& b) {
  return differenza("celle", a.byte_celle, b.byte_celle, 15) +
         differenza("stazioni", a.byte_stazioni, b.byte_stazioni, 0) +
         differenza("piano", a.byte_piano, b.byte_piano, 0);
}
