#include "formatting/traccia.h"

#include <algorithm>
#include <array>
#include <limits>

#include "reading/grammatica.h"
#include "reading/lettore.h"
#include "reading/parole_chiave.h"

namespace {

// clang-format off
constexpr std::array parole_generali = {
    parola::lunghezza_percorso, parola::progressiva_tre, parola::progressiva_due,
    parola::progressiva_uno, parola::sfondo_uno, parola::sfondo_due,
    parola::sfondo_tre, parola::ripetizione_segnali};
constexpr std::array parole_principali = {
    parola::pendenza, parola::curva, parola::montagna, parola::indicatori_vmax,
    parola::cartello_indicatore};
constexpr std::array parole_treno = {
    parola::massa_frenata, parola::numero_vetture, parola::velocita,
    parola::aderenza, parola::orologio, parola::sabbia, parola::segnale,
    parola::rallentamento, parola::abbattimento, parola::stazione};
// clang-format on

// Bit of the general section's end in a keyword event.
constexpr int64_t bit_fine_generale = int64_t{1} << 40;

struct tracciatore {
  lettore l;
  traccia_lettura t;

  void aggiungi(tipo_evento tipo, std::string testo, int64_t numero,
                int riga_inizio) {
    t.eventi.push_back({tipo, std::move(testo), numero, riga_inizio, l.riga});
  }
  // The end of the reading: a failed read or the end of the file.
  bool chiudi(int riga_inizio) {
    if (l.guasto && t.riga_guasto == 0) t.riga_guasto = riga_inizio;
    aggiungi(tipo_evento::fine, "", l.guasto ? 1 : 0, riga_inizio);
    return false;
  }
};

// One value of a keyword, read as the reader reads its width.
bool leggi_valore(tracciatore& r, const valore_chiave& v) {
  const int inizio = r.l.riga;
  if (v.larghezza == larghezza_valore::testo) {
    std::string campo;
    if (!leggi_testo(r.l, campo)) return r.chiudi(inizio);
    r.aggiungi(tipo_evento::testo, std::move(campo), 0, inizio);
    return true;
  }
  int64_t minimo = std::numeric_limits<int32_t>::min();
  int64_t massimo = std::numeric_limits<int32_t>::max();
  if (v.larghezza == larghezza_valore::intero16) {
    minimo = std::numeric_limits<int16_t>::min();
    massimo = std::numeric_limits<int16_t>::max();
  } else if (v.larghezza == larghezza_valore::byte8) {
    minimo = 0;
    massimo = 255;
  }
  int64_t valore = 0;
  if (!leggi_numero(r.l, minimo, massimo, valore)) return r.chiudi(inizio);
  r.aggiungi(tipo_evento::numero, "", valore, inizio);
  return true;
}

// The tests of one part on a field, in order, each reading its values. False
// when a read failed.
template <std::size_t N>
bool interpreta(tracciatore& r, const std::string& campo, int inizio,
                const std::array<parola, N>& prove, bool con_curve,
                int64_t bit_in_piu) {
  int64_t bit = bit_in_piu;
  for (std::size_t i = 0; i < N; ++i) {
    if (riconosce(prove[i], campo) && (con_curve || prove[i] != parola::curva))
      bit |= int64_t{1} << i;
  }
  if (bit == 0) return true;
  r.aggiungi(tipo_evento::parola, campo, bit, inizio);
  ++r.t.parole;
  for (std::size_t i = 0; i < N; ++i) {
    if (!(bit & (int64_t{1} << i))) continue;
    for (const valore_chiave& v : forma(prove[i]).valori) {
      if (!leggi_valore(r, v)) return false;
    }
  }
  return true;
}

// A field in keyword position with up to `commenti` comments dropped before
// it, as the readers read it.
bool leggi_parola(tracciatore& r, std::string& campo, int commenti) {
  lettore& l = r.l;
  if (fine_file(l)) return false;
  if (!leggi_testo(l, campo) || fine_file(l)) return false;
  for (int volta = 0; volta < commenti && campo_commento(campo); ++volta) {
    if (!leggi_testo(l, campo) || fine_file(l)) return false;
  }
  return true;
}

bool fine_generale(const std::string& campo) {
  const std::size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return !trattino && intestazione(campo);
}

// The line description's general section, up to its end or the reading's.
bool traccia_generale(tracciatore& r) {
  std::string campo;
  for (;;) {
    const int inizio = r.l.riga;
    if (fine_file(r.l)) return true;
    if (!leggi_testo(r.l, campo)) return r.chiudi(inizio);
    if (fine_file(r.l)) return true;
    for (int volta = 0; volta < 10; ++volta) {
      if (campo_commento(campo) && !leggi_testo(r.l, campo))
        return r.chiudi(inizio);
    }
    const bool fine = fine_generale(campo);
    if (!interpreta(r, campo, inizio, parole_generali, true,
                    fine ? bit_fine_generale : 0))
      return false;
    if (fine) return true;
  }
}

void traccia_linea(tracciatore& r, bool con_piano) {
  std::string campo;
  for (;;) {
    const int inizio = r.l.riga;
    if (!leggi_testo(r.l, campo)) {
      r.chiudi(inizio);
      return;
    }
    if (fine_file(r.l)) {
      r.aggiungi(tipo_evento::fine, "", 2, inizio);
      return;
    }
    if (riconosce(parola::generale, campo)) {
      r.t.riga_generale = r.l.riga_campo;
      r.aggiungi(tipo_evento::generale, "", 0, inizio);
      break;
    }
  }
  if (!traccia_generale(r) || r.l.guasto) return;
  for (;;) {
    const int inizio = r.l.riga;
    if (!leggi_parola(r, campo, 2)) {
      r.chiudi(inizio);
      return;
    }
    if (!interpreta(r, campo, inizio, parole_principali, con_piano, 0)) return;
  }
}

void traccia_treno(tracciatore& r) {
  std::string campo;
  for (;;) {
    const int inizio = r.l.riga;
    if (!leggi_testo(r.l, campo)) {
      r.chiudi(inizio);
      return;
    }
    if (riconosce(parola::generale, campo)) {
      r.t.riga_generale = r.l.riga_campo;
      r.aggiungi(tipo_evento::generale, "", 0, inizio);
      break;
    }
    if (fine_file(r.l)) {
      r.chiudi(inizio);
      return;
    }
  }
  for (;;) {
    const int inizio = r.l.riga;
    if (!leggi_parola(r, campo, 2)) {
      r.chiudi(inizio);
      return;
    }
    if (!interpreta(r, campo, inizio, parole_treno, true, 0)) return;
  }
}

}  // namespace

traccia_lettura traccia(std::string_view testo, modo_lettura modo) {
  tracciatore r;
  r.l.testo = testo;
  // An event at most for each field, and two more: room made at once, since
  // fmt traces each text several times, three ways. Bounded, so that a huge
  // text grows its list as it goes.
  const auto separatori = std::count_if(testo.begin(), testo.end(), [](char c) {
    return c == ',' || c == '\n' || c == '\r';
  });
  r.t.eventi.reserve(
      std::min(static_cast<std::size_t>(separatori) + 3, std::size_t{1} << 16));
  if (modo == modo_lettura::treno) {
    traccia_treno(r);
  } else {
    traccia_linea(r, modo == modo_lettura::linea);
  }
  return std::move(r.t);
}

long prima_differenza(const traccia_lettura& a, const traccia_lettura& b) {
  const std::size_t n = std::min(a.eventi.size(), b.eventi.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (!(a.eventi[i] == b.eventi[i])) return static_cast<long>(i);
  }
  if (a.eventi.size() == b.eventi.size()) return -1;
  return static_cast<long>(n);
}
