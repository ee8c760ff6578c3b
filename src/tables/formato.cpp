#include "tables/formato.h"

#include <cstdint>
#include <type_traits>

#include "core/codifica.h"

namespace {

template <typename R>
void codifica_campo(std::string& d, const campo<R>& f, const R& r) {
  std::visit(
      [&](auto m) {
        using tipo = std::remove_cvref_t<decltype(r.*m)>;
        if constexpr (std::is_same_v<tipo, uint8_t>) {
          aggiungi_u8(d, r.*m);
        } else if constexpr (std::is_same_v<tipo, int16_t>) {
          aggiungi_i16(d, r.*m);
        } else if constexpr (std::is_same_v<tipo, int32_t>) {
          aggiungi_i32(d, r.*m);
        } else {
          // The reader never stores a text longer than 65535 bytes.
          aggiungi_testo(d, r.*m);
        }
      },
      f.dove);
}

// Reads little-endian values from a byte range, remembering where it stands.
class lettore_binario {
 public:
  explicit lettore_binario(std::string_view dati) : dati_(dati) {}

  std::size_t offset() const { return pos_; }
  std::size_t resto() const { return dati_.size() - pos_; }
  bool ha(std::size_t quanti) const { return resto() >= quanti; }
  const char* qui() const { return dati_.data() + pos_; }
  void avanza(std::size_t quanti) { pos_ += quanti; }

 private:
  std::string_view dati_;
  std::size_t pos_ = 0;
};

// Reads one fixed-width field, or a text's count (its bytes follow through
// `leggi_testo`). The caller has checked that the bytes are there.
template <typename R>
void decodifica_campo(lettore_binario& l, const campo<R>& f, R& r) {
  std::visit(
      [&](auto m) {
        using tipo = std::remove_cvref_t<decltype(r.*m)>;
        if constexpr (std::is_same_v<tipo, uint8_t>) {
          r.*m = prendi_u8(l.qui());
        } else if constexpr (std::is_same_v<tipo, int16_t>) {
          r.*m = prendi_i16(l.qui());
        } else if constexpr (std::is_same_v<tipo, int32_t>) {
          r.*m = prendi_i32(l.qui());
        } else {
          (r.*m).assign(static_cast<std::size_t>(
                            static_cast<uint16_t>(prendi_i16(l.qui()))),
                        '\0');
        }
      },
      f.dove);
  l.avanza(byte_del_campo(f));
}

// The bytes of a station record before its name's bytes (the count included).
constexpr std::size_t byte_prima_del_nome() {
  std::size_t somma = 0;
  for (const campo<stazione>& f : campi_stazione) {
    somma += byte_del_campo(f);
    if (campo_di_testo(f)) break;
  }
  return somma;
}

bool decodifica_stazione(lettore_binario& l, int n, stazione& r,
                         errore_decodifica& e) {
  const messaggio troncato{N_("record {0} cut short"), {std::to_string(n)}};
  if (!l.ha(byte_prima_del_nome())) return fallisci(e, l.offset(), troncato);
  bool dopo_il_nome = false;
  for (const campo<stazione>& f : campi_stazione) {
    decodifica_campo(l, f, r);
    if (!campo_di_testo(f) || dopo_il_nome) continue;
    dopo_il_nome = true;
    const std::size_t resto = byte_fissi_stazione - byte_prima_del_nome();
    if (!l.ha(r.nome.size() + resto)) return fallisci(e, l.offset(), troncato);
    r.nome.assign(l.qui(), r.nome.size());
    l.avanza(r.nome.size());
  }
  return true;
}

}  // namespace

bool fallisci(errore_decodifica& e, std::size_t offset, messaggio motivo) {
  e.offset = offset;
  e.motivo = std::move(motivo);
  return false;
}

void codifica_cella(std::string& d, const cella& c) {
  for (const campo<cella>& f : campi_cella) codifica_campo(d, f, c);
}

void codifica_stazione(std::string& d, const stazione& r) {
  for (const campo<stazione>& f : campi_stazione) codifica_campo(d, f, r);
}

namespace {

char* metti_elemento(char* p, tipo_variante tipo, double valore) {
  p = metti_i16(p, static_cast<int16_t>(tipo));
  if (tipo == tipo_variante::doppio) return metti_f64(p, valore);
  if (tipo == tipo_variante::intero)
    return metti_i16(p, static_cast<int16_t>(valore));
  return p;
}

}  // namespace

char* codifica_asse(char* p, const coordinate_piano& piano, int asse,
                    int32_t da, int32_t a) {
  for (int32_t m = da; m <= a; ++m)
    p = metti_elemento(p, piano.tipo(asse, m), piano.valore(asse, m));
  return p;
}

char* codifica_asse(char* p, cammino_piano& cammino, int asse, int32_t quanti) {
  // A walk of its own: the bytes stored through `p` could alias the caller's
  // walk, whose doubles would then be stored and loaded again every metre.
  cammino_piano locale = cammino;
  for (int32_t i = 0; i < quanti; ++i) {
    const metro_piano e = locale.prossimo();
    p = metti_elemento(p, e.tipo, asse == 0 ? e.x : e.y);
  }
  cammino = locale;
  return p;
}

void codifica_asse(std::string& d, const coordinate_piano& piano, int asse,
                   int32_t da, int32_t a) {
  if (a < da) return;
  const std::size_t prima = d.size();
  d.resize(prima +
           byte_massimi_elemento * (static_cast<std::size_t>(a - da) + 1));
  char* fine = codifica_asse(d.data() + prima, piano, asse, da, a);
  d.resize(static_cast<std::size_t>(fine - d.data()));
}

bool decodifica_celle(std::string_view dati, std::vector<cella>& celle,
                      errore_decodifica& e) {
  if (dati.empty()) return fallisci(e, 0, {N_("empty file")});
  if (dati.size() % byte_per_cella != 0) {
    return fallisci(e, dati.size() - dati.size() % byte_per_cella,
                    {N_("incomplete cell")});
  }
  lettore_binario l(dati);
  celle.assign(dati.size() / byte_per_cella, cella{});
  for (cella& c : celle) {
    for (const campo<cella>& f : campi_cella) decodifica_campo(l, f, c);
  }
  return true;
}

bool decodifica_stazioni(std::string_view dati, tabella_stazioni& stazioni,
                         errore_decodifica& e) {
  lettore_binario l(dati);
  for (int n = 0; n < numero_stazioni; ++n) {
    if (!decodifica_stazione(l, n, stazioni[static_cast<std::size_t>(n)], e))
      return false;
  }
  if (l.resto() > 0)
    return fallisci(e, l.offset(), {N_("bytes after record 86")});
  return true;
}
