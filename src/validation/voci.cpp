#include "validation/voci.h"

#include "reading/lettore.h"

namespace {

struct cammino {
  lettore l;
  fonte_lettura fonte;
  bool con_piano;
  descrizione_letta& uscita;
  bool nel_generale = false;
  int riga_ultima_voce = 0;    // line of the last item, for extra fields
  int riga_curva_saltata = 0;  // a curve line read without the plan
};

// Without the plan the compiler passes over the curve lines, as asked: a
// curve keyword of the line description's main part and the rest of its line
// are no item and no ignored field either.
bool curva_senza_piano(cammino& c, std::string_view campo, int riga) {
  if (riga == c.riga_curva_saltata) return true;
  if (c.con_piano || c.fonte != fonte_lettura::descrizione_linea ||
      c.nel_generale || !riconosce(parola::curva, campo))
    return false;
  c.riga_curva_saltata = riga;
  return true;
}

// What stands after the closing quote of a quoted text field that begins at
// `da`, up to the field's end, without blanks at its ends; empty for an
// unquoted field.
std::string dopo_le_virgolette(std::string_view t, std::size_t da) {
  while (da < t.size() && blank(t[da])) ++da;
  if (da >= t.size() || t[da] != '"') return {};
  const std::size_t chiusa = t.find('"', da + 1);
  if (chiusa == std::string_view::npos) return {};
  std::size_t fine = chiusa + 1;
  while (fine < t.size() && t[fine] != ',' && !fine_riga(t[fine])) ++fine;
  std::size_t inizio = chiusa + 1;
  while (inizio < fine && blank(t[inizio])) ++inizio;
  while (fine > inizio && blank(t[fine - 1])) --fine;
  return std::string(t.substr(inizio, fine - inizio));
}

// The values of an item, from its own line.
void leggi_valori(cammino& c, voce& v) {
  const std::span<const valore_chiave> attesi = forma(v.chiave).valori;
  v.valori.reserve(attesi.size());
  for (const valore_chiave& atteso : attesi) {
    if (fine_file(c.l) || c.l.riga != v.riga) return;
    valore_letto letto;
    if (atteso.larghezza == larghezza_valore::testo) {
      const std::size_t inizio = c.l.pos;
      if (!leggi_testo(c.l, letto.testo)) return;
      std::string dopo = dopo_le_virgolette(c.l.testo, inizio);
      if (!dopo.empty()) {
        v.dopo_le_virgolette.resize(v.valori.size() + 1);
        v.dopo_le_virgolette.back() = std::move(dopo);
      }
    } else {
      if (!leggi_cifre(c.l, letto.testo)) return;
      letto.a_uno_spazio =
          c.l.pos < c.l.testo.size() && blank(c.l.testo[c.l.pos]);
      chiudi_cifre(c.l);
      letto.numerico = numero_di(letto.testo, letto.numero);
    }
    letto.riga = c.l.riga_campo;
    letto.colonna = c.l.colonna_campo;
    v.valori.push_back(std::move(letto));
  }
}

// The keywords that a field in keyword position passes, in the reader's order.
std::vector<parola> riconosciute(const cammino& c, std::string_view campo) {
  std::vector<parola> trovate;
  for (const forma_chiave& f : forme()) {
    if (f.chiave == parola::generale || f.fonte != c.fonte) continue;
    if (f.generale != c.nel_generale) continue;
    if (f.chiave == parola::curva && !c.con_piano) continue;
    if (riconosce(f.chiave, campo)) trovate.push_back(f.chiave);
  }
  return trovate;
}

// One field in keyword position (comment fields already dropped): the items it
// starts, or an ignored field. A field left on the line of a complete item is
// one of that item's extra fields.
void interpreta(cammino& c, std::string_view campo, int riga, int colonna) {
  if (c.uscita.voci.size() + c.uscita.ignorati.size() >= campi_controllati) {
    ++c.uscita.non_controllati;
    return;
  }
  if (curva_senza_piano(c, campo, riga)) return;
  const std::vector<parola> trovate = riconosciute(c, campo);
  if (trovate.empty()) {
    if (!c.uscita.voci.empty() && riga == c.riga_ultima_voce &&
        c.uscita.voci.back().riga == riga) {
      valore_letto in_piu;
      in_piu.testo = campo;
      in_piu.riga = riga;
      in_piu.colonna = colonna;
      c.uscita.voci.back().in_piu.push_back(std::move(in_piu));
      return;
    }
    if (!campo.empty())
      c.uscita.ignorati.push_back(
          {std::string(campo), riga, colonna, c.nel_generale});
    return;
  }
  const bool a_meta_riga = !c.uscita.voci.empty() && riga == c.riga_ultima_voce;
  for (parola p : trovate) {
    voce v{p,  c.fonte, std::string(campo), riga,       colonna,
           {}, {},      c.nel_generale,     a_meta_riga};
    v.da_commento = campo_commento(campo);
    leggi_valori(c, v);
    c.uscita.voci.push_back(std::move(v));
    c.riga_ultima_voce = riga;
  }
}

// Reads the field in keyword position as the reader does: the end-of-file test
// before and after, then up to two comment fields dropped. False at the end of
// the file.
bool leggi_parola(cammino& c, std::string_view& campo, int& riga,
                  int& colonna) {
  if (fine_file(c.l)) return false;
  if (!leggi_testo(c.l, campo) || fine_file(c.l)) return false;
  for (int volta = 0; volta < 2 && campo_commento(campo); ++volta) {
    if (!leggi_testo(c.l, campo) || fine_file(c.l)) return false;
  }
  riga = c.l.riga_campo;
  colonna = c.l.colonna_campo;
  return true;
}

bool cerca_generale(cammino& c) {
  std::string_view campo;
  for (;;) {
    if (!leggi_testo(c.l, campo)) return false;
    if (riconosce(parola::generale, campo)) {
      c.uscita.riga_generale = c.l.riga_campo;
      return c.fonte == fonte_lettura::descrizione_treno || !fine_file(c.l);
    }
    if (fine_file(c.l)) return false;
  }
}

// The line description's general section, up to its first header.
void leggi_generale(cammino& c) {
  c.nel_generale = true;
  std::string_view campo;
  while (!fine_file(c.l)) {
    if (!leggi_testo(c.l, campo) || fine_file(c.l)) break;
    for (int volta = 0; volta < 10 && campo_commento(campo); ++volta) {
      if (!leggi_testo(c.l, campo)) break;
    }
    interpreta(c, campo, c.l.riga_campo, c.l.colonna_campo);
    const std::size_t p = campo.find_first_not_of(" \t");
    if ((p == std::string_view::npos || campo[p] != '-') &&
        intestazione(campo)) {
      c.uscita.riga_fine_generale = c.l.riga_campo;
      break;
    }
  }
  c.nel_generale = false;
}

void leggi_principale(cammino& c) {
  std::string_view campo;
  int riga = 0, colonna = 0;
  while (leggi_parola(c, campo, riga, colonna))
    interpreta(c, campo, riga, colonna);
}

}  // namespace

bool voce::completa() const {
  return valori.size() == forma(chiave).valori.size();
}

std::string_view voce::dopo_le_virgolette_di(std::size_t n) const {
  return n < dopo_le_virgolette.size() ? std::string_view(dopo_le_virgolette[n])
                                       : std::string_view();
}

int64_t voce::numero(std::size_t n) const {
  return n < valori.size() && valori[n].numerico ? valori[n].numero : 0;
}

descrizione_letta leggi_voci(std::string_view testo, fonte_lettura fonte,
                             bool con_piano) {
  descrizione_letta uscita;
  uscita.fonte = fonte;
  cammino c{lettore{testo}, fonte, con_piano, uscita};
  uscita.con_generale = cerca_generale(c);
  if (!uscita.con_generale) return uscita;
  if (fonte == fonte_lettura::descrizione_linea) leggi_generale(c);
  leggi_principale(c);
  return uscita;
}
