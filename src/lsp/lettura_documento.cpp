#include "lsp/lettura_documento.h"

#include <algorithm>
#include <memory>

#include "lsp/funzioni.h"
#include "platform/cp1252.h"

std::string testo_cp1252(const std::string& utf8) {
  std::string risultato;
  risultato.reserve(utf8.size());
  if (utf8_a_cp1252(utf8, risultato)) return risultato;
  // Letter by letter: one that the code page cannot hold stands as '?'. Each
  // letter is viewed rather than copied, and converted into one string kept
  // for all of them; the result has its room from the start.
  risultato.clear();
  const std::string_view tutto(utf8);
  std::string uno;
  for (std::size_t b = 0; b < utf8.size();) {
    std::size_t n = 1;
    const auto c = static_cast<unsigned char>(utf8[b]);
    if (c >= 0xF0)
      n = 4;
    else if (c >= 0xE0)
      n = 3;
    else if (c >= 0xC0)
      n = 2;
    n = std::min(n, utf8.size() - b);
    risultato += utf8_a_cp1252(tutto.substr(b, n), uno) && uno.size() == 1
                     ? uno[0]
                     : '?';
    b += n;
  }
  return risultato;
}

const descrizione_letta& letta_di(const documento& d) {
  if (d.lettura == nullptr || d.lettura->ruolo != d.ruolo ||
      d.lettura->testo != d.testo) {
    // Made in place: `letta` views `byte`, which must not move after it.
    auto nuova = std::make_shared<lettura_documento>();
    nuova->testo = d.testo;
    nuova->ruolo = d.ruolo;
    nuova->byte = testo_cp1252(d.testo);
    nuova->letta = leggi_voci(nuova->byte, d.ruolo, true);
    d.lettura = std::move(nuova);
  }
  return d.lettura->letta;
}

namespace {

bool dentro(std::size_t punto, int colonna, std::size_t lunghezza) {
  const auto inizio = static_cast<std::size_t>(colonna > 0 ? colonna - 1 : 0);
  return punto >= inizio && punto <= inizio + lunghezza;
}

}  // namespace

std::optional<luogo_nel_documento> luogo_in(const descrizione_letta& letta,
                                            int riga, std::size_t punto) {
  for (const voce& v : letta.voci) {
    if (v.riga == riga + 1 && dentro(punto, v.colonna, v.scritta.size()))
      return luogo_nel_documento{&v, -1};
    for (std::size_t i = 0; i < v.valori.size(); ++i) {
      const valore_letto& x = v.valori[i];
      if (x.riga == riga + 1 && dentro(punto, x.colonna, x.testo.size()))
        return luogo_nel_documento{&v, static_cast<int>(i)};
    }
  }
  return std::nullopt;
}

std::size_t punto_di(const documento& d, int riga, int carattere,
                     unita_posizione u) {
  const std::string_view linea = riga_di(d.testo, riga);
  const std::size_t byte =
      offset_di(d.testo, riga, carattere, u) - offset_di(d.testo, riga, 0, u);
  std::size_t punti = 0;
  for (std::size_t b = 0; b < byte && b < linea.size(); ++b) {
    if ((static_cast<unsigned char>(linea[b]) & 0xC0) != 0x80) ++punti;
  }
  return punti;
}
