#include "compiler/uscita_binaria.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tables/formato.h"

namespace {

// The plan is laid and encoded this many metres at a time into one buffer.
constexpr int32_t metri_per_blocco = 1 << 13;
// Cells are handed to the file this many bytes at a time.
constexpr std::size_t blocco_celle = 1 << 16;

// Each axis is laid anew from metre 0 as it is written: the file holds every x
// before every y, and walking the plan twice costs far less than holding it.
void scrivi_piano(const piano_steso& piano, scrittore_file& uscita) {
  // Not cleared first: every byte handed on has been encoded.
  const std::unique_ptr<char[]> spazio(
      new char[byte_massimi_elemento * metri_per_blocco]);
  char* const blocco = spazio.get();
  uscita.prevedi(2 * byte_massimi_elemento *
                 (static_cast<std::size_t>(piano.ultimo_metro) + 1));
  for (int asse = 0; asse < 2; ++asse) {
    cammino_piano cammino(piano);
    for (int32_t m = 0; m <= piano.ultimo_metro; m += metri_per_blocco) {
      const int32_t quanti =
          std::min(metri_per_blocco, piano.ultimo_metro - m + 1);
      const char* fine = codifica_asse(blocco, cammino, asse, quanti);
      uscita.scrivi(blocco, static_cast<std::size_t>(fine - blocco));
    }
  }
}

void scrivi_stazioni(const tabella_stazioni& stazioni, scrittore_file& uscita) {
  // The table's size up front: grown record by record, the image would be
  // copied a dozen times over.
  std::size_t byte = 0;
  for (const stazione& r : stazioni)
    byte += byte_fissi_stazione + r.nome.size();
  std::string immagine;
  immagine.reserve(byte);
  for (const stazione& r : stazioni) codifica_stazione(immagine, r);
  uscita.scrivi(immagine.data(), immagine.size());
}

void scrivi_celle(const std::vector<cella>& celle, scrittore_file& uscita) {
  std::string blocco;
  blocco.reserve(blocco_celle + byte_per_cella);
  for (const cella& c : celle) {
    codifica_cella(blocco, c);
    if (blocco.size() >= blocco_celle) {
      uscita.scrivi(blocco.data(), blocco.size());
      blocco.clear();
    }
  }
  uscita.scrivi(blocco.data(), blocco.size());
}

}  // namespace

esito_file prepara_file_binari(const scenario& sc, const tabelle& t,
                               insieme_sostituzioni& insieme) {
  if (t.piano.presente()) {
    esito_file esito = insieme.prepara(
        nome_geometria_linea(sc),
        [&](scrittore_file& u) { scrivi_piano(t.piano, u); });
    if (!esito.ok) return esito;
  }
  esito_file esito = insieme.prepara(
      nome_tabella_stazioni(sc),
      [&](scrittore_file& u) { scrivi_stazioni(t.stazioni, u); });
  if (!esito.ok) return esito;
  return insieme.prepara(nome_tabella_celle(sc),
                         [&](scrittore_file& u) { scrivi_celle(t.celle, u); });
}
