// The report page: the values and metres it shows for known items, the
// problems marked where they are, the stretch not read, the plan's points and
// the size of a long route's page.
#include "page/pagina.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "commands/decompila.h"
#include "page/pagina_piano.h"
#include "page/pagina_problemi.h"
#include "tables/piano_steso.h"
#include "validation/controllo.h"

namespace {

// An element of the page with its attributes, the texts of its cells (a table
// row) and of its tooltip (a mark).
struct elemento {
  std::string nome;
  std::map<std::string, std::string> attributi;
  std::vector<std::string> celle;
  std::string titolo;
  std::string testo;
};

// The page parsed as XML: the elements that carry a key, by key, and every
// element with a class, by class.
struct pagina_letta {
  std::multimap<std::string, elemento> per_chiave;
  std::multimap<std::string, elemento> per_classe;
  std::vector<elemento> pila;
  bool ben_formata = false;

  std::vector<elemento> con_chiave(const std::string& k,
                                   const std::string& nome) const {
    std::vector<elemento> trovati;
    auto [da, a] = per_chiave.equal_range(k);
    for (auto i = da; i != a; ++i) {
      if (i->second.nome == nome) trovati.push_back(i->second);
    }
    return trovati;
  }
};

std::string senza_spazio_dei_nomi(const XML_Char* nome) {
  const std::string n = nome;
  return n.substr(n.find(' ') + 1);
}

void XMLCALL apri(void* dati, const XML_Char* nome,
                  const XML_Char** attributi) {
  auto* p = static_cast<pagina_letta*>(dati);
  elemento e{senza_spazio_dei_nomi(nome), {}, {}, {}, {}};
  for (int i = 0; attributi[i] != nullptr; i += 2)
    e.attributi[attributi[i]] = attributi[i + 1];
  p->pila.push_back(e);
}

void XMLCALL testo(void* dati, const XML_Char* s, int n) {
  auto* p = static_cast<pagina_letta*>(dati);
  if (!p->pila.empty())
    p->pila.back().testo.append(s, static_cast<std::size_t>(n));
}

// A closed element hands its text to its parent: to the row as a cell, to the
// mark as its tooltip.
void XMLCALL chiudi(void* dati, const XML_Char*) {
  auto* p = static_cast<pagina_letta*>(dati);
  elemento e = p->pila.back();
  p->pila.pop_back();
  if (!p->pila.empty()) {
    elemento& padre = p->pila.back();
    if (e.nome == "td") padre.celle.push_back(e.testo);
    if (e.nome == "title") padre.titolo = e.testo;
    padre.testo += e.testo;
  }
  if (e.attributi.count("data-k"))
    p->per_chiave.emplace(e.attributi["data-k"], e);
  if (e.attributi.count("class"))
    p->per_classe.emplace(e.attributi["class"], e);
}

pagina_letta leggi_pagina(const std::string& pagina) {
  pagina_letta p;
  XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
  XML_SetUserData(parser, &p);
  XML_SetElementHandler(parser, apri, chiudi);
  XML_SetCharacterDataHandler(parser, testo);
  p.ben_formata =
      XML_Parse(parser, pagina.data(), static_cast<int>(pagina.size()), 1) ==
      XML_STATUS_OK;
  XML_ParserFree(parser);
  return p;
}

// A short route written for these tests: boards whose left and right speeds
// differ, a text, a tunnel, a signal, a slowdown and two stations.
std::string linea_nota() {
  return testo_di(
      {"[generale]", "lunghezza percorso, 8000",
       "progressiva chilometrica uno, 0, 12000, 0", "[curve]",
       "curvad4, 1000, 300", "[pendenze]", "pendenza, 0, 0",
       "pendenza, 1500, 6", "[montagne]", "montagna, 3200, 4100, 12",
       "[cartelli]", "indicatori_vmax, 300, 100, 105, 150, 2, 150, 100, 95, 1",
       "indicatori_vmax, 1400, 95, 100, 105, 0, 95, 100, 105, 0",
       "indicatori_vmax, 4500, 110, 120, 125, 1, 110, 120, 125, 1",
       "[indicazioni]", "cartello_indicatore, 2000, (PONTE SUL  )(TORRENTE   )",
       "[fine]"});
}

std::string treno_noto(const std::string& stazione_due = "7000") {
  return testo_di(
      {"[generale]", "numero vetture, 6", "percentuale massa frenata, 110",
       "orologio, 7 59 30", "aderenza, 0, 95", "velocita, 0, 60",
       "velocita, 500, 100", "velocita, 4500, 120", "[stazioni]",
       "stazione, 500, 12, 600, 0, 0, 0, 1,1,0, 4,1,1, 1, 8, 0, 0, Cesina",
       "stazione, " + stazione_due +
           ", 12, 500, 0, 0, 0, 1,1,0, 2,1,1, 0, 8, 6, 0, Valdora",
       "[rallentamenti]", "rallentamento, 4000, 60, 400, 0, 0, 0", "[segnali]",
       "segnale, 5000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0", "[fine]"});
}

struct compilata {
  banco b;
  std::vector<problema> problemi;
  std::string pagina;
};

// Compiled and checked as `compile --report` does.
std::unique_ptr<compilata> compila_pagina(const std::string& linea,
                                          const std::string& treno) {
  auto c = std::make_unique<compilata>();
  c->b.linea(linea);
  c->b.treno(treno);
  const esito_compilazione esito = c->b.compila();
  const ingresso_controllo in{
      c->b.sc, {linea, treno}, {linea, treno}, false, true};
  c->problemi = controlla_descrizioni(in, c->b.t, c->b.d, esito);
  c->pagina = pagina_html(
      c->b.t, problemi_per_la_pagina(c->problemi, c->b.d, {"l.txt", "t.txt"}));
  return c;
}

TEST(Pagina, ValoriEPosizioniDegliElementi) {
  const auto c = compila_pagina(linea_nota(), treno_noto());
  ASSERT_EQ(c->b.d.codice_errore, 0);
  const pagina_letta p = leggi_pagina(c->pagina);
  ASSERT_TRUE(p.ben_formata);
  struct caso {
    const char* chiave;
    const char* metro;
    const char* fine;                // the row's end metre, for a stretch
    std::vector<std::string> celle;  // the table row
    const char* descrizione;         // in the tooltip of each mark
  };
  const caso casi[] = {
      {"iv1",
       "300",
       nullptr,
       {"300", "12.300", "100/105/150, strisce 2", "150/100/95, strisce 1"},
       "sinistra 100/105/150 km/h, strisce 2 · destra 150/100/95 km/h, strisce "
       "1"},
      {"iv2",
       "1400",
       nullptr,
       {"1400", "13.400", "95/100/105", "95/100/105"},
       "sinistra 95/100/105 km/h · destra 95/100/105 km/h"},
      {"iv3",
       "4500",
       nullptr,
       {"4500", "16.500", "110/120/125, strisce 1", "110/120/125, strisce 1"},
       "— 4500 m (progr. 16.500 km)"},
      {"ct1",
       "2000",
       nullptr,
       {"2000", "14.000", "PONTE SUL / TORRENTE", "80"},
       "Cartello — 2000 m (progr. 14.000 km) · PONTE SUL / TORRENTE"},
      {"sg1",
       "5000",
       nullptr,
       {"S1", "5000", "17.000", "1 (4, 1, 0)", "1 (3, 1, 0)", "0", "0"},
       "Segnale S1 — 5000 m (progr. 17.000 km) · sinistra 1 (4, 1, 0) · destra "
       "1 (3, 1, 0)"},
      {"st2",
       "7000",
       nullptr,
       {"2", "Valdora", "12 (fermata)", "7000", "19.000", "6750 – 7250",
        "08:06:00"},
       "Stazione Valdora — 7000 m"},
      {"ga1",
       "3200",
       "4100",
       {"3200", "4100", "900", "2"},
       "Galleria di tipo 2 — da 3200 m (progr. 15.200 km) a 4100 m"},
      {"ra1",
       "4000",
       "4400",
       {"4000", "4400", "400", "60"},
       "Rallentamento a 60 km/h — da 4000 m"},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.chiave);
    const auto righe = p.con_chiave(k.chiave, "tr");
    ASSERT_EQ(righe.size(), 1u);
    const elemento& r = righe.front();
    EXPECT_EQ(r.attributi.at("data-m"), k.metro);
    if (k.fine != nullptr) {
      EXPECT_EQ(r.attributi.at("data-a"), k.fine);
    }
    EXPECT_EQ(r.celle, k.celle);
    // A point item's mark in the map and in the profiles, a stretch's band in
    // both; the description goes with one of them at least.
    const auto segni = p.con_chiave(k.chiave, k.fine ? "polyline" : "g");
    const auto bande = p.con_chiave(k.chiave, "rect");
    EXPECT_EQ(segni.size() + bande.size(), 2u);
    int descritti = 0;
    for (const auto* gruppo : {&segni, &bande}) {
      for (const elemento& s : *gruppo) {
        if (k.fine == nullptr) {
          EXPECT_EQ(s.attributi.at("data-m"), k.metro);
        }
        if (s.titolo.empty()) continue;
        ++descritti;
        EXPECT_NE(s.titolo.find(k.descrizione), std::string::npos) << s.titolo;
      }
    }
    EXPECT_GE(descritti, 1);
  }
  // The profile's band of a stretch spans its metres.
  const elemento galleria = p.con_chiave("ga1", "rect").front();
  EXPECT_EQ(galleria.attributi.at("x"), "3200");
  EXPECT_EQ(galleria.attributi.at("width"), "900");
}

// Signals whose left and right sides differ, one with a time value (kept only
// with a left side of 2): each side's values in its own column.
TEST(Pagina, SegnaliConLatiDiversi) {
  std::string treno = treno_noto();
  const std::string segnale = "segnale, 5000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0";
  treno.replace(treno.find(segnale), segnale.size(),
                "segnale, 5000, 2, 4, 1, 0, 3, 0, 3, 2, 0, 150\r\n"
                "segnale, 6000, 0, 1, 0, 0, 0, 2, 5, 6, 7, 0");
  const auto c = compila_pagina(linea_nota(), treno);
  ASSERT_EQ(c->b.d.codice_errore, 0);
  const pagina_letta p = leggi_pagina(c->pagina);
  ASSERT_TRUE(p.ben_formata);
  const std::pair<const char*, std::vector<std::string>> casi[] = {
      {"sg1",
       {"S1", "5000", "17.000", "2 (4, 1, 0)", "0 (3, 2, 0)", "3", "150"}},
      {"sg2", {"S2", "6000", "18.000", "0 (1, 0, 0)", "2 (5, 6, 7)", "0", "0"}},
  };
  for (const auto& [chiave, celle] : casi) {
    SCOPED_TRACE(chiave);
    const auto righe = p.con_chiave(chiave, "tr");
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe.front().celle, celle);
  }
}

// The boards' speeds as lines of the speed profile, apart from the train's
// limit: each value from its board on.
TEST(Pagina, ProfiloDiVelocitaConGliIndicatori) {
  const auto c = compila_pagina(linea_nota(), treno_noto());
  const pagina_letta p = leggi_pagina(c->pagina);
  auto ascisse = [&p](const char* classe) {
    std::vector<std::string> x;
    auto [da, a] = p.per_classe.equal_range(classe);
    EXPECT_EQ(std::distance(da, a), 1) << classe;
    if (da == a) return x;
    std::istringstream punti(da->second.attributi.at("points"));
    for (std::string q; punti >> q;) x.push_back(q.substr(0, q.find(',')));
    return x;
  };
  EXPECT_EQ(ascisse("ind-a"),
            (std::vector<std::string>{"300", "1400", "1400", "4500", "4500",
                                      "8000"}));
  EXPECT_EQ(ascisse("ind-c").size(), 6u);
  EXPECT_EQ(
      ascisse("velocita"),
      (std::vector<std::string>{"0", "500", "500", "4500", "4500", "8000"}));
}

TEST(Pagina, ProblemiSulDisegnoEParteNonLetta) {
  // A station at 4025 m: code 8 there, and the train run is not read beyond.
  const auto c = compila_pagina(linea_nota(), treno_noto("4025"));
  ASSERT_EQ(c->b.d.codice_errore, 8);
  const pagina_letta p = leggi_pagina(c->pagina);
  ASSERT_TRUE(p.ben_formata);
  // The recorded fault, marked in the map and in the profiles at its metre,
  // and listed with its place.
  std::vector<elemento> segni;
  auto [da, a] = p.per_classe.equal_range("v pe");
  for (auto i = da; i != a; ++i) segni.push_back(i->second);
  ASSERT_EQ(segni.size(), 2u);
  std::string titoli;
  for (const elemento& s : segni) {
    EXPECT_EQ(s.attributi.at("data-m"), "4025");
    titoli += s.titolo;
  }
  EXPECT_NE(titoli.find("errore 8"), std::string::npos) << titoli;
  EXPECT_NE(titoli.find("— 4025 m (progr. 16.025 km) · t.txt:11:"),
            std::string::npos)
      << titoli;
  const auto riga = p.con_chiave(segni[0].attributi.at("data-k"), "tr");
  ASSERT_EQ(riga.size(), 1u);
  EXPECT_EQ(riga.front().celle[0], "errore");
  EXPECT_EQ(riga.front().celle[1], "4025");
  const auto non_letto = p.con_chiave("nl1", "rect");
  ASSERT_EQ(non_letto.size(), 1u);
  EXPECT_EQ(non_letto.front().attributi.at("x"), "4025");
  EXPECT_EQ(non_letto.front().attributi.at("width"), "3975");
  // The train's limit stops where its reading stopped; the line's elevation,
  // read whole, goes on to the end.
  auto ultima_ascissa = [&p](const char* classe) {
    const std::string punti =
        p.per_classe.find(classe)->second.attributi.at("points");
    const std::string ultimo = punti.substr(punti.rfind(' ') + 1);
    return std::stod(ultimo.substr(0, ultimo.find(',')));
  };
  EXPECT_LE(ultima_ascissa("velocita"), 4025);
  EXPECT_EQ(ultima_ascissa("altimetria"), 8000);
}

// A line description whose reading stopped before its last gradient was
// carried on: the cells past it hold no gradient (they decode as -100 per
// mille). The page shades the line's data as not read from there and draws
// the elevation level over it, dashed, not as a descent.
TEST(Pagina, LineaInterrottaNonScende) {
  struct caso {
    const char* nome;
    std::string dopo, riga;  // a line added after the line `dopo`
    int32_t codice;
  };
  const caso casi[] = {
      // A value that is not a number: the fault gives no metre.
      {"lettura", "pendenza, 1500, 6", "pendenza, 3000, x", 25},
      // A board on a taken cell at 4500 m: the gradient from 1500 m was never
      // carried on, so that is where the line's data ends.
      {"indicatore",
       "indicatori_vmax, 4500, 110, 120, 125, 1, 110, 120, 125, 1",
       "indicatori_vmax, 4500, 100, 100, 100, 0, 100, 100, 100, 0", 21},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    std::string linea = linea_nota();
    const std::size_t dopo = linea.find(k.dopo);
    ASSERT_NE(dopo, std::string::npos);
    linea.insert(linea.find("\r\n", dopo) + 2, k.riga + "\r\n");
    const auto c = compila_pagina(linea, treno_noto());
    ASSERT_EQ(c->b.d.codice_errore, k.codice);
    const pagina_letta p = leggi_pagina(c->pagina);
    ASSERT_TRUE(p.ben_formata);
    const auto non_letto = p.con_chiave("nl1", "rect");
    ASSERT_EQ(non_letto.size(), 1u);
    EXPECT_EQ(non_letto.front().attributi.at("x"), "1500");
    EXPECT_EQ(non_letto.front().attributi.at("width"), "6500");
    EXPECT_NE(non_letto.front().titolo.find("1500 m"), std::string::npos)
        << non_letto.front().titolo;
    // Level from 0 to 1500 m as read, then level and dashed to the end.
    EXPECT_EQ(p.per_classe.find("altimetria")->second.attributi.at("points"),
              "0,196.0 1500,196.0");
    EXPECT_EQ(p.per_classe.find("piatta")->second.attributi.at("points"),
              "1500,196.0 8000,196.0");
  }
}

TEST(Pagina, ProblemiDellaCompilazione) {
  problema stazione;
  stazione.fonte = fonte_lettura::descrizione_treno;
  stazione.riga = 13;
  stazione.colonna = 5;
  stazione.codice = 8;
  stazione.parola = "stazione";
  stazione.testo = {"posizione della stazione non multipla di {0}", {"50"}};
  stazione.metro = 4025;
  problema campo;
  campo.g = gravita::avviso;
  campo.fonte = fonte_lettura::descrizione_linea;
  campo.riga = 4;
  campo.testo = {"campo ignorato: \"{0}\"", {"pendneza"}};
  campo.suggerimento = "pendenza";
  diagnostica d;
  const problemi_pagina p =
      problemi_per_la_pagina({stazione, campo}, d, {"l.txt", "t.txt"});
  ASSERT_EQ(p.elenco.size(), 2u);
  EXPECT_EQ(p.elenco[0].livello, gravita::errore);
  EXPECT_EQ(p.elenco[0].metro, 4025);
  EXPECT_EQ(p.elenco[0].messaggio,
            "errore 8: posizione della stazione non multipla di 50");
  EXPECT_EQ(p.elenco[0].dove, "t.txt:13:5: stazione");
  // A warning without a metre is listed, not placed.
  EXPECT_EQ(p.elenco[1].livello, gravita::avviso);
  EXPECT_EQ(p.elenco[1].metro, std::nullopt);
  EXPECT_EQ(p.elenco[1].messaggio,
            "avviso: campo ignorato: \"pendneza\" (pendenza?)");
  EXPECT_EQ(p.elenco[1].dove, "l.txt:4");
  EXPECT_TRUE(p.non_letto.empty());
}

// Where the recorded fault stopped a reading.
TEST(Pagina, PartiNonLette) {
  const luogo_lettura linea{fonte_lettura::descrizione_linea, 12, 1,
                            "indicatori_vmax", -1};
  const luogo_lettura treno{fonte_lettura::descrizione_treno, 13, 1, "stazione",
                            -1};
  const luogo_lettura scansione{fonte_lettura::scansione, 0, 0, "", 61};
  struct caso {
    const char* nome;
    int32_t codice, posizione;
    luogo_lettura luogo;
    std::vector<std::pair<fonte_lettura, int32_t>> non_letto;
  };
  const caso casi[] = {
      {"stazione", 8, 4025, treno, {{fonte_lettura::descrizione_treno, 4025}}},
      // Beyond the cells: the line ends there, the train run is still read.
      {"oltre_le_celle",
       15,
       9000,
       linea,
       {{fonte_lettura::descrizione_linea, 9000}}},
      // Any other fault of the line leaves the whole train run unread.
      {"indicatore",
       21,
       700,
       linea,
       {{fonte_lettura::descrizione_linea, 700},
        {fonte_lettura::descrizione_treno, 0}}},
      {"lettura", 25, 0, linea, {{fonte_lettura::descrizione_treno, 0}}},
      // The route scan reads on.
      {"scansione", 11, 3000, scansione, {}},
  };
  for (const caso& k : casi) {
    SCOPED_TRACE(k.nome);
    diagnostica d;
    registra_errore(d, k.codice, k.posizione, k.luogo);
    const problemi_pagina p = problemi_per_la_pagina({}, d, {"l.txt", "t.txt"});
    std::vector<std::pair<fonte_lettura, int32_t>> non_letto;
    for (const lettura_interrotta& l : p.non_letto)
      non_letto.push_back({l.descrizione, l.metro});
    EXPECT_EQ(non_letto, k.non_letto);
  }
}

// Every metre of the plan lies within the tolerance of the drawn track, from
// either end of any range: the track is simplified a piece of 10 km at a
// time, the pieces ending whole pieces apart from the range's end.
TEST(Pagina, TracciatoSemplificatoVicinoAlPiano) {
  banco b;
  b.compila();
  const coordinate_piano steso = coordinate_a_blocchi(b.t.piano);
  const piano_pagina piano(steso, 62000);
  const double tolleranza = tolleranza_del_tracciato(62000);
  const std::pair<int32_t, int32_t> tratti[] = {
      {0, 62000}, {0, 20000}, {0, 20001}, {5, 10005}, {5, 10004},
      {9999, 30001}, {0, 1}, {300, 300}};
  for (const auto& [da, a] : tratti) {
    SCOPED_TRACE(std::to_string(da) + ".." + std::to_string(a));
    const std::vector<int32_t> metri = piano.semplifica(da, a, tolleranza);
    ASSERT_GE(metri.size(), 1u);
    EXPECT_EQ(metri.front(), da);
    EXPECT_EQ(metri.back(), a);
    EXPECT_LT(metri.size(), 3000u);
    for (std::size_t i = 0; i + 1 < metri.size(); ++i) {
      const punto_piano p = piano.in_metri(metri[i]),
                        z = piano.in_metri(metri[i + 1]);
      ASSERT_LT(metri[i], metri[i + 1]);
      for (int32_t m = metri[i] + 1; m < metri[i + 1]; ++m) {
        const punto_piano q = piano.in_metri(m);
        const double vx = z.x - p.x, vy = z.y - p.y;
        const double t = std::clamp(
            ((q.x - p.x) * vx + (q.y - p.y) * vy) / (vx * vx + vy * vy), 0.0,
            1.0);
        ASSERT_LE(std::hypot(q.x - p.x - t * vx, q.y - p.y - t * vy),
                  tolleranza)
            << m;
      }
    }
  }
  // Turned so that the route runs from left to right.
  EXPECT_NEAR(piano.in_metri(62000).y, piano.in_metri(0).y, 1e-6);
  EXPECT_GT(piano.in_metri(62000).x, piano.in_metri(0).x);
}

// 990 km of curves, gradients, tunnels, boards, 70 stations and 330 signals.
std::pair<std::string, std::string> percorso_lungo(int metri) {
  std::vector<std::string> linea{
      "[generale]", "lunghezza percorso, " + std::to_string(metri),
      "progressiva chilometrica uno, 0, 150300, 1", "[curve]"};
  for (int n = 0, p = 1000; p < metri - 2000; ++n, p += 2500) {
    linea.push_back("curva" + std::string(n % 2 ? "d" : "s") +
                    std::to_string(n % 6 + 1) + ", " + std::to_string(p) +
                    ", " + std::to_string(400 + 100 * (n % 5)));
  }
  linea.push_back("[pendenze]");
  for (int n = 0, p = 0; p < metri - 1000; ++n, p += 3000)
    linea.push_back("pendenza, " + std::to_string(p) + ", " +
                    std::to_string(n % 9 - 4));
  for (int p = 5000; p < metri - 5000; p += 40000) {
    linea.push_back("montagna, " + std::to_string(p) + ", " +
                    std::to_string(p + 1200) + ", 12");
  }
  for (int p = 700; p < metri - 1000; p += 20000)
    linea.push_back("indicatori_vmax, " + std::to_string(p) +
                    ", 100, 110, 120, 0, 100, 110, 120, 0");
  linea.push_back("[fine]");
  std::vector<std::string> treno{"[generale]", "aderenza, 0, 100",
                                 "velocita, 0, 120", "[stazioni]"};
  for (int n = 0, p = 0; n < 70; ++n, p += 12000) {
    treno.push_back("stazione, " + std::to_string(p) +
                    ", 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, S" +
                    std::to_string(n));
  }
  treno.push_back("[segnali]");
  for (int p = 1350; p < metri - 2000; p += 3000)
    treno.push_back("segnale, " + std::to_string(p) +
                    ", 2, 4, 0, 0, 0, 2, 2, 0, 0, 0");
  treno.push_back("[fine]");
  return {testo_di(linea), testo_di(treno)};
}

TEST(Pagina, PercorsoDi990Km) {
  const auto [linea, treno] = percorso_lungo(990000);
  banco b;
  b.linea(linea);
  b.treno(treno);
  b.compila();
  ASSERT_EQ(b.d.codice_errore, 0);
  // The page's time is measured by scripts/misura_compilazione.py.
  const std::string pagina = pagina_html(b.t, problemi_pagina{});
  EXPECT_LT(pagina.size(), 500u * 1000);
  const pagina_letta p = leggi_pagina(pagina);
  EXPECT_TRUE(p.ben_formata);
  EXPECT_EQ(p.con_chiave("sg329", "g").size(), 2u);
  EXPECT_EQ(p.con_chiave("st70", "tr").size(), 1u);
  RecordProperty("byte", static_cast<int>(pagina.size()));
}

// From the files alone, what no description explains is listed on the page:
// a cell of a kind that no item has would otherwise be drawn nowhere.
TEST(Pagina, ContenutoCheNessunaDescrizioneSpiega) {
  banco b;
  ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
  scenario sc;
  EXPECT_TRUE(contenuto_inspiegato(b.t, sc, [](const std::string& n) {
                return n;
              }).empty());
  b.t.celle[500].tipo = 99;
  const std::vector<std::string> righe = contenuto_inspiegato(
      b.t, sc, [](const std::string& n) { return "dir/" + n; });
  ASSERT_EQ(righe.size(), 1u);
  EXPECT_EQ(righe[0].rfind(
                "dir/Valdora_Cesina_KT52806.dat: cella 500 (24950 m): ", 0),
            0u)
      << righe[0];
  const std::string pagina = pagina_html(b.t, std::nullopt, {}, righe);
  EXPECT_TRUE(leggi_pagina(pagina).ben_formata);
  EXPECT_NE(pagina.find("<li>" + righe[0] + "</li>"), std::string::npos);
}

}  // namespace

namespace {

// The limit in force: the lowest of the train's limit, the board's A speed
// and the slowdown, cell by cell, as a step line of (metre, km/h).
TEST(Pagina, LimiteInVigore) {
  const auto c = compila_pagina(linea_nota(), treno_noto());
  const pagina_letta p = leggi_pagina(c->pagina);
  auto [da, a] = p.per_classe.equal_range("efficace");
  ASSERT_EQ(std::distance(da, a), 1);
  // The speed panel: 150 px high from y 224, 0 to 160 km/h (the boards'
  // 150 and a margin).
  std::vector<std::pair<int, int>> gradini;
  std::istringstream punti(da->second.attributi.at("points"));
  for (std::string q; punti >> q;) {
    const double y = std::stod(q.substr(q.find(',') + 1));
    gradini.push_back(
        {std::stoi(q.substr(0, q.find(','))),
         static_cast<int>(std::lround((1 - (y - 224) / 150) * 160))});
  }
  // Train 60 then 100 from 500 and 120 from 4500; boards A 100 from 300, 95
  // from 1400, 110 from 4500; the slowdown's 60 km/h from 4000 to 4400.
  const std::vector<std::pair<int, int>> attesi = {
      {0, 60},    {500, 60},  {500, 100},  {1400, 100},
      {1400, 95}, {4000, 95}, {4000, 60},  {4400, 60},
      {4400, 95}, {4500, 95}, {4500, 110}, {8000, 110}};
  EXPECT_EQ(gradini, attesi);
  // The slowdown keeps its band.
  EXPECT_EQ(p.con_chiave("ra1", "rect").size(), 1u);
}

}  // namespace
