#include "page/pagina_tabelle.h"

#include <algorithm>
#include <string>
#include <vector>

#include "cli/formati.h"
#include "page/html.h"
#include "page/pagina_testi.h"
#include "page/pagina_voci.h"

namespace {

std::string n(int64_t valore) { return std::to_string(valore); }

// One row: the key and the metres that link it to the drawings, and its cells
// as escaped text.
struct riga {
  std::string chiave;
  std::optional<int32_t> metro, fine;
  std::vector<std::string> celle;
};

void scrivi_tabella(std::ostream& o, const char* id,
                    const std::vector<std::string>& colonne,
                    const std::vector<riga>& righe) {
  o << "<div class=\"scorre\"><table class=\"voci\" id=\"" << id
    << "\">\n<thead><tr>";
  for (const std::string& c : colonne) o << "<th>" << c << "</th>";
  o << "</tr></thead>\n<tbody>\n";
  for (const riga& r : righe) {
    o << "<tr";
    // The key's letters name the kind, as the marks' class does.
    if (!r.chiave.empty()) {
      o << " class=\"" << r.chiave.substr(0, 2) << "\" data-k=\"" << r.chiave
        << '"';
    }
    if (r.metro) o << " data-m=\"" << *r.metro << '"';
    if (r.fine) o << " data-a=\"" << *r.fine << '"';
    o << '>';
    for (const std::string& c : r.celle) o << "<td>" << c << "</td>";
    o << "</tr>\n";
  }
  o << "</tbody></table></div>\n";
}

// A table of one kind of item, folded away when it is long.
void scrivi_elenco(std::ostream& o, const char* id, const char* titolo,
                   const std::vector<std::string>& colonne,
                   const std::vector<riga>& righe) {
  if (righe.empty()) return;
  o << "<details" << (righe.size() <= 40 ? " open=\"open\"" : "")
    << "><summary>" << titolo << " (" << righe.size() << ")</summary>\n";
  scrivi_tabella(o, id, colonne, righe);
  o << "</details>\n";
}

// The position columns: metres, and the progressive where the line has one.
std::vector<std::string> posizione(const vista& v, int32_t metro) {
  std::vector<std::string> celle{n(metro)};
  if (con_progressiva(v)) {
    char km[48];
    std::snprintf(km, sizeof km, "%.3f", progressiva_km(v, metro));
    celle.push_back(km);
  }
  return celle;
}

std::vector<std::string> colonne_posizione(const vista& v) {
  std::vector<std::string> c{parole::col_posizione()};
  if (con_progressiva(v)) c.push_back(parole::col_progressiva());
  return c;
}

std::vector<std::string> unite(std::vector<std::string> a,
                               const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string lato(const lato_indicatore& l) {
  std::string t = n(l.a) + "/" + n(l.b) + "/" + n(l.c);
  if (l.strisce != 0)
    t += ", " + sostituisci(parole::strisce(), {n(l.strisce)});
  return t;
}

std::string aspetti_segnale(int lato, int a, int b, int c) {
  return n(lato) + " (" + n(a) + ", " + n(b) + ", " + n(c) + ")";
}

void scrivi_segnali(std::ostream& o, const vista& v) {
  std::vector<riga> righe;
  for (const segnale_linea& s : v.segnali) {
    righe.push_back(
        {chiave(genere_voce::segnale, static_cast<std::size_t>(s.numero)),
         s.metro, std::nullopt,
         unite(unite({"S" + n(s.numero)}, posizione(v, s.metro)),
               {aspetti_segnale(s.sx, s.s1, s.s2, s.s3),
                aspetti_segnale(s.dx, s.d1, s.d2, s.d3), n(s.rapp),
                n(s.tempo)})});
  }
  scrivi_elenco(o, "tab-sg", parole::segnali(),
                unite(unite({parole::col_numero()}, colonne_posizione(v)),
                      {parole::col_sinistra(), parole::col_destra(),
                       parole::col_rapp(), parole::col_tempo()}),
                righe);
}

void scrivi_cartelli(std::ostream& o, const vista& v) {
  std::vector<riga> righe;
  for (std::size_t i = 0; i < v.indicatori.size(); ++i) {
    const indicatore_vmax& b = v.indicatori[i];
    righe.push_back(
        {chiave(genere_voce::indicatore, i + 1), b.metro, std::nullopt,
         unite(posizione(v, b.metro), {lato(b.sinistra), lato(b.destra)})});
  }
  scrivi_elenco(o, "tab-iv", parole::indicatori(),
                unite(colonne_posizione(v),
                      {parole::col_sinistra(), parole::col_destra()}),
                righe);
  righe.clear();
  for (std::size_t i = 0; i < v.cartelli.size(); ++i) {
    const cartello_testo& c = v.cartelli[i];
    std::string testo;
    for (const std::string& r : c.righe)
      testo += (testo.empty() ? "" : " / ") + xml(r);
    righe.push_back({chiave(genere_voce::cartello, i + 1), c.metro,
                     std::nullopt,
                     unite(posizione(v, c.metro), {testo, n(c.record)})});
  }
  scrivi_elenco(
      o, "tab-ct", parole::cartelli(),
      unite(colonne_posizione(v), {parole::col_testo(), parole::col_record()}),
      righe);
}

void scrivi_tratti(std::ostream& o, const vista& v) {
  std::vector<riga> righe;
  for (std::size_t i = 0; i < v.rallentamenti.size(); ++i) {
    const tratto& r = v.rallentamenti[i];
    righe.push_back({chiave(genere_tratto::rallentamento, i + 1),
                     r.da,
                     r.a,
                     {n(r.da), n(r.a), n(r.a - r.da), n(r.valore)}});
  }
  scrivi_elenco(o, "tab-ra", parole::rallentamenti(),
                {parole::col_da(), parole::col_a(), parole::col_lunghezza(),
                 parole::col_velocita()},
                righe);
  righe.clear();
  for (std::size_t i = 0; i < v.gallerie.size(); ++i) {
    const tratto& g = v.gallerie[i];
    righe.push_back({chiave(genere_tratto::galleria, i + 1),
                     g.da,
                     g.a,
                     {n(g.da), n(g.a), n(g.a - g.da), n(g.valore)}});
  }
  scrivi_elenco(o, "tab-ga", parole::gallerie(),
                {parole::col_da(), parole::col_a(), parole::col_lunghezza(),
                 parole::col_tipo()},
                righe);
  righe.clear();
  for (std::size_t i = 0; i < v.codici.size(); ++i) {
    const codice_velocita& c = v.codici[i];
    righe.push_back(
        {chiave(genere_voce::codice, i + 1), c.metro, std::nullopt,
         unite(posizione(v, c.metro),
               {c.valore != 0 ? n(c.valore) : parole::codice_senza_valore()})});
  }
  scrivi_elenco(o, "tab-cv", parole::codici(),
                unite(colonne_posizione(v), {parole::col_valore()}), righe);
}

// A station's time, or an em dash when it has none.
std::string ora_o_nessuna(int32_t secondi) {
  if (secondi <= 0) return "—";
  return ora_del_giorno(secondi);
}

}  // namespace

void scrivi_orario(std::ostream& o, const vista& v) {
  std::vector<riga> righe;
  for (const fermata& f : v.stazioni) {
    const stazione& r = *f.r;
    righe.push_back(
        {chiave(genere_voce::stazione, static_cast<std::size_t>(f.record)),
         r.posizione, std::nullopt,
         unite(unite({n(f.record), testo(r.nome),
                      n(r.tipo) + (r.tipo < 25 ? std::string(" (") +
                                                     parole::fermata() + ")"
                                               : "")},
                     posizione(v, r.posizione)),
               {n(r.inizio) + " – " + n(r.fine), ora_o_nessuna(r.orario)})});
  }
  scrivi_tabella(o, "orario",
                 unite(unite({parole::col_record(), parole::col_stazione(),
                              parole::col_tipo()},
                             colonne_posizione(v)),
                       {parole::col_area(), parole::col_orario()}),
                 righe);
}

namespace {

// The problems' kinds in the order they first come, each with its problems.
struct gruppo_problemi {
  const problema_pagina* primo;
  std::vector<std::size_t> indici;
};

std::vector<gruppo_problemi> gruppi_di(const problemi_pagina& p) {
  std::vector<gruppo_problemi> gruppi;
  for (std::size_t i = 0; i < p.elenco.size(); ++i) {
    const problema_pagina& q = p.elenco[i];
    auto g = std::find_if(gruppi.begin(), gruppi.end(), [&q](const auto& x) {
      return x.primo->genere == q.genere;
    });
    if (g == gruppi.end()) g = gruppi.insert(gruppi.end(), {&q, {}});
    g->indici.push_back(i);
  }
  // Errors first.
  std::stable_partition(gruppi.begin(), gruppi.end(), [](const auto& x) {
    return x.primo->livello == gravita::errore;
  });
  return gruppi;
}

// The filters: all errors, then each kind of warning, with their counts; the
// script shows them and hides what is unticked.
void scrivi_filtri(std::ostream& o, const std::vector<gruppo_problemi>& gruppi,
                   std::size_t errori) {
  o << "<p id=\"filtri\" class=\"filtri\" hidden=\"hidden\">";
  if (errori > 0) {
    o << "<label><input type=\"checkbox\" checked=\"checked\" "
         "data-filtro=\"pe\"/> "
      << sostituisci(parole::filtro_errori(), {n(errori)}) << "</label>";
  }
  for (std::size_t g = 0; g < gruppi.size(); ++g) {
    if (gruppi[g].primo->livello == gravita::errore) continue;
    o << "<label><input type=\"checkbox\" checked=\"checked\" "
         "data-filtro=\"g"
      << g + 1 << "\"/> " << xml(gruppi[g].primo->tipo) << " ("
      << gruppi[g].indici.size() << ")</label>";
  }
  o << "</p>\n";
}

// A warning's message without its head "warning: ", which its row already
// shows; an error keeps its code ("error 8: ...").
std::string senza_testa(const problema_pagina& q) {
  const std::string testa = std::string(parole::avviso()) + ": ";
  if (q.livello == gravita::avviso && q.messaggio.rfind(testa, 0) == 0)
    return q.messaggio.substr(testa.size());
  return q.messaggio;
}

std::string chiave_problema(const problema_pagina& q, std::size_t i) {
  return chiave(
      q.livello == gravita::errore ? genere_voce::errore : genere_voce::avviso,
      i + 1);
}

void scrivi_riga_problema(std::ostream& o, const problema_pagina& q,
                          std::size_t i, const std::string& segno) {
  o << "<tr";
  if (q.metro) {
    const std::string k = chiave_problema(q, i);
    o << " data-k=\"" << k << "\" data-m=\"" << *q.metro << '"';
    if (segno != k) o << " data-c=\"" << segno << '"';
  }
  o << "><td>"
    << (q.livello == gravita::errore ? parole::errore() : parole::avviso())
    << "</td><td>" << (q.metro ? n(*q.metro) : "—") << "</td><td>"
    << xml(q.dove) << "</td><td>" << xml(senza_testa(q)) << "</td></tr>\n";
}

}  // namespace

// The problems grouped by kind, each group with its count and its rows; a
// row goes to the problem's place, and the mark that stands for it is named
// by `data-c` when it stands for others too.
void scrivi_problemi(std::ostream& o, const std::optional<problemi_pagina>& p,
                     int32_t lunghezza) {
  if (!p) {
    o << "<p id=\"problemi\" class=\"nota\">" << parole::problemi_non_noti()
      << "</p>\n";
    return;
  }
  if (p->elenco.empty()) {
    o << "<p id=\"problemi\">" << parole::nessun_problema() << "</p>\n";
    return;
  }
  const std::vector<gruppo_problemi> gruppi = gruppi_di(*p);
  const std::vector<std::size_t> capi =
      grappoli_di_problemi(*p, problemi_vicini(lunghezza));
  std::size_t errori = 0;
  for (const problema_pagina& q : p->elenco)
    errori += q.livello == gravita::errore;
  o << "<div id=\"problemi\">\n";
  scrivi_filtri(o, gruppi, errori);
  for (std::size_t g = 0; g < gruppi.size(); ++g) {
    const bool errore = gruppi[g].primo->livello == gravita::errore;
    o << "<details class=\"gruppo\" data-gruppo=\""
      << (errore ? std::string("pe") : "g" + n(g + 1)) << '"'
      << (gruppi.size() == 1 || errore ? " open=\"open\"" : "") << "><summary>"
      << xml(gruppi[g].primo->tipo) << " (" << gruppi[g].indici.size()
      << ")</summary>\n<div class=\"scorre\"><table class=\"voci\">\n"
         "<thead><tr><th>"
      << parole::col_gravita() << "</th><th>" << parole::col_posizione()
      << "</th><th>" << parole::col_dove() << "</th><th>"
      << parole::col_messaggio() << "</th></tr></thead>\n<tbody>\n";
    for (std::size_t i : gruppi[g].indici) {
      const std::size_t c = capi[i];
      scrivi_riga_problema(
          o, p->elenco[i], i,
          c == senza_segno ? "" : chiave_problema(p->elenco[c], c));
    }
    o << "</tbody></table></div></details>\n";
  }
  o << "</div>\n";
}

void scrivi_inspiegato(std::ostream& o, const std::vector<std::string>& righe) {
  if (righe.empty()) return;
  o << "<h2>" << parole::inspiegato() << "</h2>\n<p class=\"nota\">"
    << parole::inspiegato_nota() << "</p>\n<ul id=\"inspiegato\">\n";
  for (const std::string& r : righe) o << "<li>" << xml(r) << "</li>\n";
  o << "</ul>\n";
}

void scrivi_elenchi(std::ostream& o, const vista& v) {
  scrivi_segnali(o, v);
  scrivi_cartelli(o, v);
  scrivi_tratti(o, v);
}
