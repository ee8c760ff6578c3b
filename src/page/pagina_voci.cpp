#include "page/pagina_voci.h"

#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"
#include "cli/formati.h"
#include "page/html.h"
#include "page/pagina_testi.h"

namespace {

std::string n(int valore) { return std::to_string(valore); }

// "46000 m (prog. 104.000 km)".
std::string al_metro(const vista& v, int32_t metro) {
  std::string testo = n(metro) + " m";
  if (con_progressiva(v)) {
    char km[48];
    std::snprintf(km, sizeof km, "%.3f", progressiva_km(v, metro));
    testo += std::string(" (") + parole::progr() + " " + km + " " +
             parole::km() + ")";
  }
  return testo;
}

// "from 4000 m to 4400 m".
std::string da_a(const vista& v, int32_t da, int32_t a) {
  return sostituisci(parole::da_a(), {al_metro(v, da), al_metro(v, a)});
}

std::string tre(const lato_indicatore& l) {
  std::string t = n(l.a) + "/" + n(l.b) + "/" + n(l.c) + " km/h";
  if (l.strisce != 0)
    t += ", " + sostituisci(parole::strisce(), {n(l.strisce)});
  return t;
}

// "left 1 (4, 0, 0)".
std::string lato_segnale(const char* lato, int quale, int a, int b, int c) {
  return sostituisci(
      lato, {n(quale) + " (" + n(a) + ", " + n(b) + ", " + n(c) + ")"});
}

std::string unisci(const std::vector<std::string>& righe) {
  std::string t;
  for (const std::string& r : righe) t += (t.empty() ? "" : " / ") + r;
  return t;
}

void aggiungi_stazioni(const vista& v, std::vector<voce_disegno>& voci) {
  for (const fermata& f : v.stazioni) {
    const stazione& r = *f.r;
    const std::string nome = cp1252_a_utf8(r.nome);
    std::string d = sostituisci(parole::stazione(), {nome}) + " — " +
                    al_metro(v, r.posizione) + " · " +
                    sostituisci(parole::tipo(), {n(r.tipo)}) + " · " +
                    sostituisci(parole::area(), {n(r.inizio), n(r.fine)});
    if (r.orario > 0) d += " · " + ora_del_giorno(r.orario);
    voci.push_back({genere_voce::stazione, static_cast<std::size_t>(f.record),
                    chiave(genere_voce::stazione, f.record), r.posizione, nome,
                    d});
  }
}

void aggiungi_segnali(const vista& v, std::vector<voce_disegno>& voci) {
  for (const segnale_linea& s : v.segnali) {
    const std::string nome = "S" + n(s.numero);
    const std::string d =
        sostituisci(parole::segnale(), {nome}) + " — " + al_metro(v, s.metro) +
        " · " + lato_segnale(parole::sinistra(), s.sx, s.s1, s.s2, s.s3) +
        " · " + lato_segnale(parole::destra(), s.dx, s.d1, s.d2, s.d3);
    voci.push_back({genere_voce::segnale, static_cast<std::size_t>(s.numero),
                    chiave(genere_voce::segnale, s.numero), s.metro, nome, d});
  }
}

void aggiungi_cartelli(const vista& v, std::vector<voce_disegno>& voci) {
  for (std::size_t i = 0; i < v.indicatori.size(); ++i) {
    const indicatore_vmax& b = v.indicatori[i];
    voci.push_back(
        {genere_voce::indicatore, i + 1, chiave(genere_voce::indicatore, i + 1),
         b.metro, n(b.sinistra.a),
         std::string(parole::indicatore()) + " — " + al_metro(v, b.metro) +
             " · " + sostituisci(parole::sinistra(), {tre(b.sinistra)}) +
             " · " + sostituisci(parole::destra(), {tre(b.destra)})});
  }
  for (std::size_t i = 0; i < v.cartelli.size(); ++i) {
    const cartello_testo& c = v.cartelli[i];
    voci.push_back({genere_voce::cartello, i + 1,
                    chiave(genere_voce::cartello, i + 1), c.metro,
                    c.righe.empty() ? "" : c.righe.front(),
                    std::string(parole::cartello()) + " — " +
                        al_metro(v, c.metro) + " · " + unisci(c.righe)});
  }
  for (std::size_t i = 0; i < v.codici.size(); ++i) {
    const codice_velocita& c = v.codici[i];
    const std::string valore =
        c.valore != 0 ? n(c.valore) : parole::codice_senza_valore();
    voci.push_back({genere_voce::codice, i + 1,
                    chiave(genere_voce::codice, i + 1), c.metro, "",
                    sostituisci(parole::codice(), {valore}) + " — " +
                        al_metro(v, c.metro)});
  }
}

// One mark per place: a problem alone keeps its head as its label ("error
// 8"), problems close together share one mark that counts them.
void aggiungi_problemi(const vista& v, const problemi_pagina& p,
                       std::vector<voce_disegno>& voci) {
  const std::vector<std::size_t> capi =
      grappoli_di_problemi(p, problemi_vicini(v.lunghezza));
  for (std::size_t i = 0; i < p.elenco.size(); ++i) {
    if (capi[i] != i) continue;
    const problema_pagina& q = p.elenco[i];
    const genere_voce g = q.livello == gravita::errore ? genere_voce::errore
                                                       : genere_voce::avviso;
    std::size_t quanti = 0;
    int32_t ultimo = *q.metro, primo = *q.metro;
    for (std::size_t j = 0; j < capi.size(); ++j) {
      if (capi[j] != i) continue;
      ++quanti;
      primo = std::min(primo, *p.elenco[j].metro);
      ultimo = std::max(ultimo, *p.elenco[j].metro);
    }
    std::string d = q.messaggio + " — " + al_metro(v, *q.metro);
    if (!q.dove.empty()) d += " · " + q.dove;
    const std::string conto =
        sostituisci(parole::conta_problemi(quanti), {std::to_string(quanti)});
    // A mark for several says where they are; the list says what each is.
    if (quanti > 1) d = conto + " " + da_a(v, primo, ultimo);
    // Only errors are labelled ("error 8", "3 problems"): warnings may be
    // hundreds, their marks and the list say enough.
    std::string etichetta;
    if (g == genere_voce::errore)
      etichetta =
          quanti > 1 ? conto : q.messaggio.substr(0, q.messaggio.find(':'));
    voci.push_back({g, i + 1, chiave(g, i + 1), *q.metro, etichetta, d});
  }
}

}  // namespace

const char* classe_del_genere(genere_voce g) {
  switch (g) {
    case genere_voce::errore:
      return "pe";
    case genere_voce::avviso:
      return "pa";
    case genere_voce::stazione:
      return "st";
    case genere_voce::segnale:
      return "sg";
    case genere_voce::indicatore:
      return "iv";
    case genere_voce::cartello:
      return "ct";
    case genere_voce::codice:
      break;
  }
  return "cv";
}

std::string chiave(genere_voce g, std::size_t numero) {
  return classe_del_genere(g) + std::to_string(numero);
}

const char* classe_del_tratto(genere_tratto g) {
  switch (g) {
    case genere_tratto::galleria:
      return "ga";
    case genere_tratto::rallentamento:
      return "ra";
    case genere_tratto::non_letto:
      break;
  }
  return "nl";
}

std::string chiave(genere_tratto g, std::size_t numero) {
  return classe_del_tratto(g) + std::to_string(numero);
}

std::vector<voce_disegno> voci_della_vista(const vista& v,
                                           const problemi_pagina* p) {
  std::vector<voce_disegno> voci;
  if (p != nullptr) aggiungi_problemi(v, *p, voci);
  aggiungi_stazioni(v, voci);
  aggiungi_segnali(v, voci);
  aggiungi_cartelli(v, voci);
  return voci;
}

namespace {

// Where each description's reading stopped. A line description's reading
// that stopped also left its last gradient unwritten: the line is not read
// from where the gradients end, when that comes first, even when the fault
// gives no metre.
std::vector<lettura_interrotta> letture_interrotte(const vista& v,
                                                   const problemi_pagina& p) {
  std::vector<lettura_interrotta> letture = p.non_letto;
  if (!p.linea_interrotta || v.fine_pendenze >= v.lunghezza) return letture;
  auto linea = std::find_if(letture.begin(), letture.end(), [](auto& l) {
    return l.descrizione == fonte_lettura::descrizione_linea;
  });
  if (linea == letture.end()) {
    letture.insert(letture.begin(),
                   {fonte_lettura::descrizione_linea, v.fine_pendenze});
  } else {
    linea->metro = std::min(linea->metro, v.fine_pendenze);
  }
  return letture;
}

}  // namespace

std::vector<voce_tratto> tratti_della_vista(const vista& v,
                                            const problemi_pagina* p) {
  std::vector<voce_tratto> tratti;
  for (std::size_t i = 0; i < v.gallerie.size(); ++i) {
    const tratto& g = v.gallerie[i];
    tratti.push_back({genere_tratto::galleria,
                      chiave(genere_tratto::galleria, i + 1), g.da, g.a,
                      sostituisci(parole::galleria_di_tipo(), {n(g.valore)}) +
                          " — " + da_a(v, g.da, g.a)});
  }
  for (std::size_t i = 0; i < v.rallentamenti.size(); ++i) {
    const tratto& r = v.rallentamenti[i];
    tratti.push_back({genere_tratto::rallentamento,
                      chiave(genere_tratto::rallentamento, i + 1), r.da, r.a,
                      sostituisci(parole::rallentamento_a(), {n(r.valore)}) +
                          " — " + da_a(v, r.da, r.a)});
  }
  if (p == nullptr) return tratti;
  std::size_t numero = 0;
  for (const lettura_interrotta& l : letture_interrotte(v, *p)) {
    const int32_t da = std::max(0, l.metro);
    if (da >= v.lunghezza) continue;
    const bool linea = l.descrizione == fonte_lettura::descrizione_linea;
    tratti.push_back({genere_tratto::non_letto,
                      chiave(genere_tratto::non_letto, ++numero), da,
                      v.lunghezza,
                      sostituisci(linea ? parole::non_letto_linea()
                                        : parole::non_letto_treno(),
                                  {al_metro(v, da)}),
                      l.descrizione});
  }
  return tratti;
}

std::string aspetti_json(std::span<const aspetto_voce> aspetti) {
  std::string j = "[";
  for (const aspetto_voce& a : aspetti) {
    if (j.size() > 1) j += ",";
    j += std::string("{\"k\":\"") + classe_del_genere(a.g) +
         "\",\"c\":" + numero_breve(a.corpo) +
         ",\"r\":" + numero_breve(a.raggio) +
         ",\"y\":" + numero_breve(a.marca_dy) +
         ",\"d\":" + (a.dettaglio ? "1" : "0") + ",\"p\":[";
    for (std::size_t i = 0; i < a.posti.size(); ++i) {
      const posto_etichetta& p = a.posti[i];
      j += (i ? ",[" : "[") + n(p.dx) + "," + n(p.dy) + "," + n(p.ancora) + "]";
    }
    j += "]}";
  }
  return j + "]";
}

const aspetto_voce& aspetto_di(std::span<const aspetto_voce> aspetti,
                               genere_voce g) {
  for (const aspetto_voce& a : aspetti) {
    if (a.g == g) return a;
  }
  return aspetti.back();
}
