#include "watch/giro.h"

#include <cerrno>
#include <optional>
#include <sstream>

#include "cli/esiti.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "core/testi.h"
#include "page/html.h"
#include "page/pagina.h"
#include "page/pagina_problemi.h"
#include "page/pagina_script.h"
#include "page/pagina_tabelle.h"
#include "page/pagina_testi.h"
#include "validation/problemi.h"

namespace {

bool con_tabelle(const compilazione_controllata* c) {
  return c != nullptr && c->esito.tipo == esito_compilazione::completata;
}

// The build whose drawings the page shows: this one when it has tables, else
// the last one that had.
const compilazione_controllata* da_disegnare(const giro_vigilato& g,
                                             const stato_vigilanza& s) {
  if (con_tabelle(g.c.get())) return g.c.get();
  return s.disegnata.get();
}

std::string senza_a_capo(std::string testo) {
  while (!testo.empty() && testo.back() == '\n') testo.pop_back();
  return testo;
}

// "1 error, 0 warnings", or why there was nothing to count.
std::string conti(const giro_vigilato& g) {
  if (!g.illeggibile.empty()) return senza_a_capo(g.illeggibile);
  std::string testo = conta_problemi(g.c->problemi);
  if (g.c->esito.tipo == esito_compilazione::fatale)
    testo += "; " + parola_errore_fatale() + g.c->esito.codice;
  return testo;
}

// What the output folder holds after this build.
std::string frase_cartella(const opzioni_compila& o, const giro_vigilato& g,
                           const stato_vigilanza& s) {
  if (g.da_scrivere && g.guasto_scrittura.empty())
    return sostituisci(traduci("the files in {0} are from this build"),
                       {visibile(o.cartella)});
  if (!g.guasto_scrittura.empty()) {
    return s.scritta == 0
               ? g.guasto_scrittura
               : sostituisci(traduci("{0}; the files in {1} are still those "
                                     "of build {2} at {3}"),
                             {g.guasto_scrittura, visibile(o.cartella),
                              std::to_string(s.scritta), s.ora_scritta});
  }
  const char* perche = o.rigoroso ? N_("this build has errors or warnings "
                                       "(--strict)")
                                  : N_("this build has errors");
  if (s.scritta == 0) {
    return sostituisci(traduci("no file written in {0} yet: {1}"),
                       {visibile(o.cartella), traduci(perche)});
  }
  return sostituisci(
      traduci("the files in {0} are still those of build {1} at {2}: {3}"),
      {visibile(o.cartella), std::to_string(s.scritta), s.ora_scritta,
       traduci(perche)});
}

// The phrases of the page's banner and of the terminal's line, in order.
std::vector<std::string> frasi(const opzioni_compila& o, const giro_vigilato& g,
                               const stato_vigilanza& s) {
  std::vector<std::string> f;
  f.push_back(sostituisci(traduci("{1} build {0}: {2}"),
                          {std::to_string(g.numero), g.ora, conti(g)}));
  if (g.mancante)
    f.push_back(
        traduci("a description is missing: the watch goes on and "
                "waits for it"));
  f.push_back(frase_cartella(o, g, s));
  return f;
}

std::optional<problemi_pagina> problemi_pagina_del_giro(
    const opzioni_compila& o, const giro_vigilato& g) {
  if (!g.illeggibile.empty()) {
    problemi_pagina p;
    const std::string testo = senza_a_capo(g.illeggibile);
    p.elenco.push_back(
        {gravita::errore, std::nullopt, testo, "", "e:illeggibile", testo});
    return p;
  }
  problemi_pagina p =
      problemi_per_la_pagina(g.c->problemi, g.c->d, {o.linea, o.treno});
  if (g.c->esito.tipo == esito_compilazione::fatale) {
    const std::string testo = parola_errore_fatale() + g.c->esito.codice;
    p.elenco.insert(p.elenco.begin(), {gravita::errore, std::nullopt, testo,
                                       "", "e:fatale", testo});
  }
  return p;
}

// The banner at the top of the page: which build, what the folder holds,
// which build the drawings are from; the live script finds the page's number
// in it, and its words for a watch that stopped answering.
std::string stato_html(const opzioni_compila& o, const giro_vigilato& g,
                       const stato_vigilanza& s, uint64_t numero) {
  const bool buono = g.da_scrivere;
  std::ostringstream h;
  h << "<div id=\"vivo-stato\" data-numero=\"" << numero
    << "\" data-scollegato=\""
    << xml(traduci("the watch is not answering: this is the last page it "
                   "sent"))
    << "\" style=\"border:1px solid " << (buono ? "#7a7" : "#c66")
    << ";background:" << (buono ? "#efe" : "#fee")
    << ";padding:0.2em 0.6em;margin:0.5em 0\">";
  for (const std::string& f : frasi(o, g, s))
    h << "<p style=\"margin:0.2em 0\">" << xml(f) << "</p>";
  const compilazione_controllata* d = da_disegnare(g, s);
  if (d == nullptr) {
    h << "<p style=\"margin:0.2em 0\">"
      << xml(traduci("nothing to draw: no build has compiled yet")) << "</p>";
  } else if (d != g.c.get()) {
    h << "<p style=\"margin:0.2em 0\">"
      << xml(sostituisci(traduci("the drawings are those of build {0} at "
                                 "{1}: this build could not be compiled"),
                         {std::to_string(s.numero_disegnata), s.ora_disegnata}))
      << "</p>";
  }
  h << "</div>\n";
  return h.str();
}

std::string script_vivo_html() {
  return "<script id=\"vivo\">//<![CDATA[\n" + std::string(script_vivo()) +
         "//]]></script>\n";
}

// The report page with the banner under its title (at the top of the body
// if it has none) and the live script before the page's own, which it must
// precede.
std::string con_vivo(std::string pagina, const std::string& stato) {
  std::size_t dopo = pagina.find("</h1>");
  if (dopo != std::string::npos) {
    dopo += 5;
  } else if ((dopo = pagina.find("<body")) != std::string::npos) {
    dopo = pagina.find('>', dopo) + 1;
  }
  if (dopo != std::string::npos) pagina.insert(dopo, "\n" + stato);
  std::size_t script = pagina.rfind("<script>");
  if (script == std::string::npos) script = pagina.rfind("</body>");
  pagina.insert(script, script_vivo_html());
  return pagina;
}

// Before any build has tables: the banner and the problems only.
std::string pagina_senza_disegni(const opzioni_compila& o,
                                 const std::string& stato,
                                 const std::optional<problemi_pagina>& p) {
  const std::string titolo = xml(o.nome_linea + " — " + o.codice_treno);
  std::ostringstream h;
  h << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
       "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\""
    << parole::lingua() << "\" xml:lang=\"" << parole::lingua()
    << "\">\n<head>\n<meta charset=\"UTF-8\"/>\n<meta name=\"viewport\" "
       "content=\"width=device-width, initial-scale=1\"/>\n<title>"
    << titolo << "</title>\n<style>" << stile_pagina()
    << "</style>\n</head>\n<body>\n<h1>" << titolo << "</h1>\n"
    << stato << "<h2>" << parole::problemi() << "</h2>\n";
  // No tables yet, so no route to group the problems along: each on its own.
  scrivi_problemi(h, p, 0);
  h << script_vivo_html() << "</body>\n</html>\n";
  return h.str();
}

}  // namespace

giro_vigilato costruisci_giro(const opzioni_compila& o, stato_vigilanza& s,
                     std::string ora) {
  giro_vigilato g;
  g.numero = ++s.costruzioni;
  g.ora = std::move(ora);
  g.c = std::make_shared<compilazione_controllata>();
  std::ostringstream errori;
  if (compila_in_memoria(o, *g.c, errori)) {
    g.illeggibile = errori.str();
    if (g.illeggibile.empty()) g.illeggibile = " ";
    g.mancante = g.c->esito.tipo == esito_compilazione::guasto_file &&
                 g.c->esito.file.errno_sistema == ENOENT;
    return g;
  }
  g.da_scrivere = con_tabelle(g.c.get()) &&
                  uscita_del_controllo(*g.c, o.rigoroso) == uscita_riuscita;
  return g;
}

void registra_giro(const giro_vigilato& g, stato_vigilanza& s) {
  if (g.da_scrivere && g.guasto_scrittura.empty()) {
    s.scritta = g.numero;
    s.ora_scritta = g.ora;
  }
  if (!con_tabelle(g.c.get())) return;
  s.disegnata = g.c;
  s.numero_disegnata = g.numero;
  s.ora_disegnata = g.ora;
}

std::string riga_del_giro(const opzioni_compila& o, const giro_vigilato& g,
                          const stato_vigilanza& s) {
  std::string riga;
  for (const std::string& f : frasi(o, g, s))
    riga += (riga.empty() ? "" : "; ") + f;
  return riga + '\n';
}

std::string problemi_del_giro(const opzioni_compila& o, const giro_vigilato& g) {
  if (!g.illeggibile.empty() || !g.c) return "";
  std::ostringstream testo;
  stampa_problemi(g.c->problemi, {o.linea, o.treno}, testo);
  return testo.str();
}

std::string pagina_del_giro(const opzioni_compila& o, const giro_vigilato& g,
                            const stato_vigilanza& s, uint64_t numero) {
  const std::optional<problemi_pagina> p = problemi_pagina_del_giro(o, g);
  const std::string stato = stato_html(o, g, s, numero);
  const compilazione_controllata* d = da_disegnare(g, s);
  if (d == nullptr) return pagina_senza_disegni(o, stato, p);
  return con_vivo(pagina_html(d->t, p), stato);
}
