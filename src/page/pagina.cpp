#include "page/pagina.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "cli/esiti.h"
#include "cli/rapporto.h"
#include "page/html.h"
#include "page/pagina_dati.h"
#include "page/pagina_disegno.h"
#include "page/pagina_script.h"
#include "page/pagina_tabelle.h"
#include "page/pagina_testi.h"
#include "page/pagina_voci.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"
#include "tables/piano_steso.h"

namespace {

// A JSON string that no "</script>" can close, whatever the catalogue holds.
std::string stringa_json(const char* testo) {
  std::string j = "\"";
  for (const char* c = testo; *c != '\0'; ++c) {
    if (*c == '"' || *c == '\\') {
      j += std::string("\\") + *c;
    } else if (*c == '<' || static_cast<unsigned char>(*c) < 0x20) {
      char codice[8];
      std::snprintf(codice, sizeof codice, "\\u%04x",
                    static_cast<unsigned>(static_cast<unsigned char>(*c)));
      j += codice;
    } else {
      j += *c;
    }
  }
  return j + "\"";
}

// The script's words, as the variable it expects; {0} and {1} are put in
// their place by the script.
std::string parole_script() {
  const std::pair<const char*, const char*> voci[] = {
      {"km", parole::km()},
      {"progr", parole::progr()},
      {"vista", parole::vista()},
      {"nessun_risultato", parole::nessun_risultato()},
      {"oltre", parole::oltre_il_percorso()},
      {"risultato", parole::risultato()},
      {"dall_inizio", parole::dall_inizio()},
      {"progressiva_trovata", parole::progressiva_trovata()},
      {"progressiva_assente", parole::progressiva_assente()},
      {"lettura", parole::lettura()},
      {"raggio", parole::raggio()},
      {"rettilineo", parole::rettilineo()},
      // A mark of the map stands for two problems at least.
      {"problemi", parole::conta_problemi(2)},
      {"da_a", parole::da_a()},
  };
  std::string t = "var T = {";
  for (const auto& [chiave, testo] : voci) {
    if (t.back() != '{') t += ", ";
    t += std::string(chiave) + ": " + stringa_json(testo);
  }
  return t + "};";
}

void scrivi_testa(std::ostream& o, const std::string& titolo) {
  o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
       "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\""
    << parole::lingua() << "\" xml:lang=\"" << parole::lingua()
    << "\">\n<head>\n<meta charset=\"UTF-8\"/>\n"
       "<meta name=\"viewport\" content=\"width=device-width, "
       "initial-scale=1\"/>\n<title>"
    << titolo << "</title>\n<style>" << stile_pagina() << "</style>\n</head>\n";
}

void scrivi_riassunto(std::ostream& o, const vista& v,
                      const std::optional<problemi_pagina>& p) {
  o << "<p>"
    << sostituisci(parole::percorso_di(), {std::to_string(v.lunghezza)});
  const std::pair<std::size_t, const char* (*)(std::size_t)> conti[] = {
      {v.stazioni.size(), parole::conta_stazioni},
      {v.segnali.size(), parole::conta_segnali},
      {v.indicatori.size(), parole::conta_indicatori},
      {v.cartelli.size(), parole::conta_cartelli},
      {v.rallentamenti.size(), parole::conta_rallentamenti},
      {v.gallerie.size(), parole::conta_gallerie}};
  for (const auto& [quanti, forma] : conti)
    o << ", " << sostituisci(forma(quanti), {std::to_string(quanti)});
  if (p) {
    o << ", "
      << sostituisci(parole::conta_problemi(p->elenco.size()),
                     {std::to_string(p->elenco.size())});
  }
  o << ".</p>\n";
}

void scrivi_comandi(std::ostream& o) {
  const std::pair<const char*, const char*> bottoni[] = {{"riduci", "−"},
                                                         {"ingrandisci", "+"},
                                                         {"indietro", "◀"},
                                                         {"avanti", "▶"},
                                                         {"tutto", "⤢"}};
  const char* titoli[] = {parole::riduci(), parole::ingrandisci(),
                          parole::indietro(), parole::avanti(),
                          parole::tutto()};
  o << "<div id=\"comandi\" hidden=\"hidden\">";
  for (std::size_t i = 0; i < 5; ++i) {
    o << "<button type=\"button\" data-azione=\"" << bottoni[i].first
      << "\" title=\"" << titoli[i] << "\" aria-label=\"" << titoli[i] << "\">"
      << bottoni[i].second << "</button>";
  }
  o << "<span id=\"vista-testo\"></span><form id=\"cerca\" role=\"search\">"
       "<input type=\"search\" id=\"cerca-testo\" placeholder=\""
    << parole::cerca_suggerimento() << "\" aria-label=\"" << parole::cerca()
    << "\"/><button type=\"submit\">" << parole::cerca()
    << "</button></form><span id=\"cerca-esito\"></span>"
       "<span id=\"lettura\"></span></div>\n";
}

// The legend of what a drawing shows: the kinds present, each with its
// swatch.
struct voce_legenda {
  const char* classe;
  const char* testo;
  bool presente;
};

void scrivi_legenda(std::ostream& o, std::initializer_list<voce_legenda> voci) {
  o << "<p class=\"legenda\">";
  for (const voce_legenda& v : voci) {
    if (!v.presente) continue;
    o << "<span><span class=\"sw " << v.classe << "\"></span>" << v.testo
      << "</span>";
  }
  o << "</p>\n";
}

bool con_genere(const std::vector<voce_disegno>& voci, genere_voce g) {
  return std::any_of(voci.begin(), voci.end(),
                     [g](const voce_disegno& v) { return v.g == g; });
}

bool con_tratto(const std::vector<voce_tratto>& tratti, genere_tratto g) {
  return std::any_of(tratti.begin(), tratti.end(),
                     [g](const voce_tratto& t) { return t.g == g; });
}

// The legend of the marks (only the kinds drawn), which the profiles share,
// and how the map is turned when there is one.
void scrivi_legenda_mappa(std::ostream& o, const contenuto_disegni& c) {
  const auto& voci = c.voci;
  const bool gallerie = con_tratto(c.tratti, genere_tratto::galleria);
  const bool rallentamenti = con_tratto(c.tratti, genere_tratto::rallentamento);
  const bool non_letto = con_tratto(c.tratti, genere_tratto::non_letto);
  scrivi_legenda(
      o,
      {{"st", parole::legenda_stazione(),
        con_genere(voci, genere_voce::stazione)},
       {"sg", parole::legenda_segnale(),
        con_genere(voci, genere_voce::segnale)},
       {"iv", parole::legenda_indicatore(),
        con_genere(voci, genere_voce::indicatore)},
       {"ct", parole::legenda_cartello(),
        con_genere(voci, genere_voce::cartello)},
       {"cv", parole::legenda_codice(), con_genere(voci, genere_voce::codice)},
       {"ga", parole::legenda_galleria(), gallerie},
       {"ra", parole::legenda_rallentamento(), rallentamenti},
       {"pe", parole::legenda_errore(), con_genere(voci, genere_voce::errore)},
       {"pa", parole::legenda_avviso(), con_genere(voci, genere_voce::avviso)},
       {"nl", parole::legenda_non_letto(), non_letto},
       {"oltre", parole::legenda_oltre(), c.piano.presente()}});
  if (c.piano.presente())
    o << "<p class=\"nota\">" << parole::nota_mappa() << "</p>\n";
}

// A drawing as a file, as the script makes it from the drawing shown: SVG,
// and PNG where the browser can paint it.
void scrivi_scarica(std::ostream& o, const char* disegno) {
  o << "<p class=\"scarica\" hidden=\"hidden\">" << parole::scarica();
  for (const char* formato : {"svg", "png"}) {
    o << " <button type=\"button\" data-scarica=\"" << disegno
      << "\" data-formato=\"" << formato << "\">"
      << (formato[0] == 's' ? "SVG" : "PNG") << "</button>";
  }
  o << "</p>\n";
}

void scrivi_disegni(std::ostream& o, const contenuto_disegni& c) {
  const bool gallerie = con_tratto(c.tratti, genere_tratto::galleria);
  const bool rallentamenti = con_tratto(c.tratti, genere_tratto::rallentamento);
  const bool non_letto = con_tratto(c.tratti, genere_tratto::non_letto);
  o << "<h2>" << parole::mappa() << "</h2>\n<div class=\"contenitore\">";
  disegna_mappa(o, c);
  o << "</div>\n";
  scrivi_scarica(o, "mappa");
  scrivi_legenda_mappa(o, c);
  o << "<h2>" << parole::profili() << "</h2>\n<div class=\"contenitore\">";
  disegna_profili(o, c);
  o << "</div>\n";
  scrivi_scarica(o, "profili");
  scrivi_legenda(
      o, {{"velocita", parole::legenda_limite(), true},
          {"efficace", parole::legenda_efficace(), true},
          {"ind", parole::legenda_indicatori(), !c.v.indicatori.empty()},
          {"ga", parole::legenda_galleria(), gallerie},
          {"ra", parole::legenda_rallentamento(), rallentamenti},
          {"nl", parole::legenda_non_letto(), non_letto}});
}

// A file name as a relative address: every byte but letters, digits and
// "-._~" percent-encoded.
std::string indirizzo(const std::string& nome) {
  std::string uscita;
  for (unsigned char c : nome) {
    const bool libero = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                        c == '_' || c == '~';
    if (libero) {
      uscita += static_cast<char>(c);
    } else {
      char codice[4];
      std::snprintf(codice, sizeof codice, "%%%02X", c);
      uscita += codice;
    }
  }
  return uscita;
}

void elenco_documenti(std::ostream& o,
                      const std::vector<std::string>& documenti) {
  if (documenti.empty()) return;
  o << "<h2>" << parole::documenti() << "</h2>\n<ul id=\"documenti\">\n";
  for (const std::string& nome : documenti) {
    o << "<li><a href=\"" << indirizzo(nome) << "\">" << xml(nome)
      << "</a></li>\n";
  }
  o << "</ul>\n";
}

// An output stream's buffer that hands its bytes to a file being written, a
// buffer at a time.
class flusso_su_file : public std::streambuf {
 public:
  explicit flusso_su_file(scrittore_file& uscita) : uscita_(uscita) {
    setp(spazio_.data(), spazio_.data() + spazio_.size());
  }

 protected:
  int_type overflow(int_type c) override {
    passa();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override {
    passa();
    return 0;
  }

 private:
  void passa() {
    uscita_.scrivi(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(spazio_.data(), spazio_.data() + spazio_.size());
  }

  scrittore_file& uscita_;
  std::array<char, 1 << 16> spazio_;
};

}  // namespace

void scrivi_pagina_html(std::ostream& o, const tabelle& t,
                        const std::optional<problemi_pagina>& problemi,
                        const std::vector<std::string>& documenti,
                        const std::vector<std::string>& inspiegato) {
  const vista v = prepara_vista(t);
  const problemi_pagina* p = problemi ? &*problemi : nullptr;
  const std::vector<voce_disegno> voci = voci_della_vista(v, p);
  const std::vector<voce_tratto> tratti = tratti_della_vista(v, p);
  int32_t fine_linea = v.lunghezza, fine_treno = v.lunghezza;
  for (const voce_tratto& r : tratti) {
    if (r.fonte == fonte_lettura::descrizione_linea) fine_linea = r.da;
    if (r.fonte == fonte_lettura::descrizione_treno) fine_treno = r.da;
  }
  const std::string titolo =
      testo(t.stazioni[record_linea].nome) + " — " +
      sostituisci(parole::treno(), {testo(t.stazioni[record_nome_treno].nome)});
  scrivi_testa(o, titolo);
  o << "<body data-lunghezza=\"" << v.lunghezza << "\" data-dettagli=\""
    << metri_per_pixel_dettagli << "\" data-spazio=\"" << spazio_per_dettaglio
    << "\">\n<h1>" << titolo << "</h1>\n";
  scrivi_riassunto(o, v, problemi);
  elenco_documenti(o, documenti);
  scrivi_comandi(o);
  o << "<p id=\"senza-script\" class=\"nota\">" << parole::senza_script()
    << "</p>\n";
  // The drawings walk the plan a block at a time: a compiled plan is laid, a
  // plan read back is read from its file, as they ask for its metres.
  const bool letto = t.planimetria.presente();
  const coordinate_piano steso =
      letto ? coordinate_piano{} : coordinate_a_blocchi(t.piano);
  scrivi_disegni(o, {t, letto ? t.planimetria : steso, v, voci, tratti,
                     fine_linea, fine_treno});
  o << "<h2>" << parole::problemi() << "</h2>\n";
  scrivi_problemi(o, problemi, v.lunghezza);
  scrivi_inspiegato(o, inspiegato);
  o << "<h2>" << parole::orario() << "</h2>\n";
  scrivi_orario(o, v);
  o << "<h2>" << parole::elenchi() << "</h2>\n";
  scrivi_elenchi(o, v);
  o << "<div id=\"suggerimento\" role=\"tooltip\" hidden=\"hidden\"></div>\n"
       "<script>//<![CDATA[\n"
    << parole_script() << funzioni_pagina() << script_pagina()
    << "//]]></script>\n</body>\n</html>\n";
}

std::string pagina_html(const tabelle& t,
                        const std::optional<problemi_pagina>& problemi,
                        const std::vector<std::string>& documenti,
                        const std::vector<std::string>& inspiegato) {
  std::ostringstream o;
  scrivi_pagina_html(o, t, problemi, documenti, inspiegato);
  return std::move(o).str();  // the page's text, not a copy of it
}

esito_file prepara_pagina(const scenario& sc, const tabelle& t,
                          insieme_sostituzioni& insieme,
                          const std::optional<problemi_pagina>& problemi,
                          const std::vector<std::string>& inspiegato,
                          const std::string& nome) {
  std::vector<std::string> documenti;
  for (const std::string& nome :
       {nome_scheda_treno(sc), nome_rallentamenti(sc), nome_note(sc)}) {
    if (insieme.destinazione().esiste(nome) || insieme.preparato(nome))
      documenti.push_back(nome);
  }
  // Written as it is made: the page of a long route is not held whole.
  return insieme.prepara(
      nome.empty() ? nome_pagina(sc) : nome, [&](scrittore_file& uscita) {
        flusso_su_file flusso(uscita);
        std::ostream o(&flusso);
        scrivi_pagina_html(o, t, problemi, documenti, inspiegato);
        o.flush();
      });
}

esito_file scrivi_pagina(const scenario& sc, const tabelle& t, cartella& c,
                         const std::optional<problemi_pagina>& problemi,
                         const std::vector<std::string>& inspiegato,
                         const std::string& nome) {
  insieme_sostituzioni insieme(c);
  const esito_file esito =
      prepara_pagina(sc, t, insieme, problemi, inspiegato, nome);
  if (!esito.ok) return esito;
  return insieme.pubblica();
}

bool pagina_con_problemi(std::string_view pagina) {
  // The list as scrivi_problemi writes it, and as earlier pages did.
  return pagina.find("<div id=\"problemi\">") != std::string_view::npos ||
         pagina.find("<table class=\"voci\" id=\"problemi\">") !=
             std::string_view::npos;
}
