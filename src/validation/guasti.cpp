#include "validation/guasti.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "compiler/memorizza_percorso.h"
#include "platform/cartella_memoria.h"
#include "tables/metri.h"

namespace {

std::string numero(int64_t n) { return std::to_string(n); }

// A run of the checks over one set of excluded lines.
struct passata {
  const contesto_guasti& x;
  const righe_escluse& escluse;

  bool esclusa(const voce& v) const {
    return escluse.count({v.fonte, v.riga}) != 0;
  }
};

// Every item of both descriptions, in the order the compiler reads them.
std::vector<const voce*> in_ordine(const contesto_guasti& x) {
  std::vector<const voce*> voci;
  for (const voce& v : x.linea.voci) voci.push_back(&v);
  for (const voce& v : x.treno.voci) voci.push_back(&v);
  return voci;
}

// The end of a station's area, as the compiler computes it.
int64_t fine_stazione(const voce& v) {
  const int64_t p = v.numero(0), tipo = v.numero(1), l = v.numero(2);
  if (tipo == 5 || tipo == 6) return p + 150;
  if (tipo == 7 || tipo == 8) return p + l;
  return p + l / 2 + (v.numero(5) != 0 ? 50 : 0);
}

int64_t inizio_stazione(const voce& v) {
  const int64_t p = v.numero(0), tipo = v.numero(1), l = v.numero(2);
  if (tipo >= 5 && tipo <= 8) return p - l;
  return p - l / 2;
}

int64_t cella_punto(int64_t metri) {
  return cella_del_metro(static_cast<double>(metri), aggancio::punto);
}

// The cells in which an item puts an item kind (a tunnel's marks count as
// free, so they are not listed).
std::vector<int64_t> celle_della_voce(const voce& v) {
  if (!v.completa()) return {};
  const int64_t p = v.numero(0);
  switch (v.chiave) {
    case parola::indicatori_vmax:
    case parola::cartello_indicatore:
    case parola::segnale:
      return {cella_punto(p)};
    case parola::abbattimento:
      return {cella_del_metro(static_cast<double>(p), aggancio::tratto)};
    case parola::stazione:
      if (v.numero(1) >= 25) return {};
      return {static_cast<int64_t>(
          arrotonda(static_cast<double>(fine_stazione(v)) / 50 - 1))};
    case parola::rallentamento: {
      std::vector<int64_t> celle = {cella_punto(p),
                                    cella_punto(p + v.numero(2))};
      if (p > 1500) celle.push_back(cella_punto(p - 1200));
      const int64_t b =
          cella_del_metro(static_cast<double>(p - 1200), aggancio::tratto);
      if (p > 1500 && v.numero(4) != 0)
        for (int k = 0; k < 4; ++k) celle.push_back(b - k);
      return celle;
    }
    default:
      return {};
  }
}

// "segnale a 3000 m (riga 12)": an item as a message names it.
std::string descrivi(const voce& v, fonte_lettura da) {
  std::string testo = v.scritta;
  if (!v.valori.empty()) testo += " a " + v.valori[0].testo + " m";
  if (v.fonte != da) {
    testo += v.fonte == fonte_lettura::descrizione_linea
                 ? " (descrizione della linea, riga "
                 : " (descrizione del treno, riga ";
  } else {
    testo += " (riga ";
  }
  return testo + numero(v.riga) + ")";
}

// The last item read before `prima` that put something into `cella`.
std::string occupante(const passata& s, int64_t cella, const voce* prima) {
  const voce* trovato = nullptr;
  for (const voce* v : in_ordine(s.x)) {
    if (v == prima) break;
    if (s.esclusa(*v)) continue;
    const std::vector<int64_t> celle = celle_della_voce(*v);
    if (std::find(celle.begin(), celle.end(), cella) != celle.end())
      trovato = v;
  }
  if (trovato == nullptr) return "un altro elemento";
  return descrivi(*trovato,
                  prima != nullptr ? prima->fonte : fonte_lettura::nessuna);
}

const voce* voce_del_luogo(const contesto_guasti& x, const luogo_lettura& l) {
  const descrizione_letta& d =
      l.fonte == fonte_lettura::descrizione_treno ? x.treno : x.linea;
  const voce* prima = nullptr;
  for (const voce& v : d.voci) {
    if (v.riga != l.riga) continue;
    if (v.scritta == l.parola) return &v;
    if (prima == nullptr) prima = &v;
  }
  return prima;
}

// The message of a fault on an occupied cell: which cell and what is in it.
messaggio cella_occupata(const passata& s, int32_t codice, const voce& v) {
  const int64_t p = v.numero(0);
  int64_t cella = cella_punto(p);
  std::string quale = "la sua cella";
  if (codice == 7) {
    cella = cella_del_metro(static_cast<double>(p), aggancio::tratto);
  } else if (codice == 17) {
    cella = cella_punto(p - 1200);
    quale = "la cella dell'avviso 1200 m prima";
  } else if (codice == 18) {
    quale = "la cella d'inizio";
  } else if (codice == 19) {
    cella = cella_punto(p + v.numero(2));
    quale = "la cella di fine";
  } else if (codice == 20) {
    cella = cella_del_metro(static_cast<double>(p - 1200), aggancio::tratto);
    quale = "una delle quattro celle prima dell'avviso";
  }
  const int64_t metro = metro_della_cella(
      cella, codice == 7 || codice == 20 ? aggancio::tratto : aggancio::punto);
  return {"{0} a {1} m: {2} (cella {3}, {4} m) \xE8 gi\xE0 occupata da {5}",
          {v.scritta, numero(p), quale, numero(cella), numero(metro),
           occupante(s, cella, &v)}};
}

// The stations' own faults.
messaggio guasto_di_stazione(const passata& s, int32_t codice, const voce& v) {
  const int64_t p = v.numero(0);
  switch (codice) {
    case 8:
      return {
          "stazione a {0} m: la posizione deve essere multipla di 50 "
          "({1} o {2})",
          {numero(p), numero(p - (p % 50 + 50) % 50),
           numero(p - (p % 50 + 50) % 50 + 50)}};
    case 9:
      return {
          "stazione a {0} m: la lunghezza {1} m deve essere multipla di "
          "100",
          {numero(p), v.valori.size() > 2 ? v.valori[2].testo : "?"}};
    case 24:
      return {
          "stazione a {0} m: la sua area finisce a {1} m, entro i primi "
          "100 m, e non resta posto per la cella di fermata",
          {numero(p), numero(fine_stazione(v))}};
    case 10:
      return {
          "stazione a {0} m: stazioni e testi dei cartelli insieme sono "
          "pi\xF9 di 78",
          {numero(p)}};
    default:
      break;
  }
  const voce* prima = nullptr;
  for (const voce* w : in_ordine(s.x)) {
    if (w == &v) break;
    if (w->chiave == parola::stazione && !s.esclusa(*w)) prima = w;
  }
  const int64_t fine = prima != nullptr ? fine_stazione(*prima) : 0;
  return {
      "stazione a {0} m: la sua area inizia a {1} m, meno di 350 m dopo "
      "la fine di {2} a {3} m; spostala di almeno {4} m",
      {numero(p), numero(inizio_stazione(v)),
       prima != nullptr ? descrivi(*prima, v.fonte) : "quella precedente",
       numero(fine), numero(fine + 350 - inizio_stazione(v))}};
}

// A position beyond the cells: what the last position that fits is.
messaggio oltre_la_tabella(const passata& s, const registro_errore& r,
                           const voce* v) {
  const int64_t margine =
      v != nullptr && v->chiave == parola::stazione ? 800 : 100;
  const int64_t ultima = int64_t{s.x.r.ultima_cella} * 50 - margine;
  return {
      "{0} a {1} m oltre la fine della tabella delle celle: l'ultima "
      "posizione ammessa \xE8 {2} m (percorso di {3} m)",
      {r.luogo.parola, numero(r.posizione), numero(ultima),
       s.x.r.lunghezza ? numero(*s.x.r.lunghezza) : "?"}};
}

// A reading failure that no check on the line itself explains.
messaggio errore_di_lettura(const passata& s, const registro_errore& r,
                            const voce* v) {
  if (v != nullptr && v->chiave == parola::montagna)
    return {
        "pi\xF9 di 80 gallerie, o la distanza fra due gallerie non sta "
        "in 32 bit",
        {}};
  if (v != nullptr && v->chiave == parola::cartello_indicatore)
    return {
        "pi\xF9 di 80 testi di cartello, o un testo di pi\xF9 di 65535 "
        "byte",
        {}};
  if (r.luogo.fonte == fonte_lettura::descrizione_treno && r.luogo.riga == 0 &&
      s.x.testi.treno.empty())
    return {"descrizione del treno vuota o mancante", {}};
  if (v != nullptr)
    return {
        "errore di lettura in {0}: un valore calcolato non sta nel suo "
        "campo",
        {v->scritta}};
  return {
      "errore di lettura: la descrizione finisce prima dei valori "
      "attesi",
      {}};
}

// The faults of the line description's general section and of its curves.
messaggio guasto_di_linea(int32_t codice, const voce* v) {
  const std::string valore0 =
      v != nullptr && !v->valori.empty() ? v->valori[0].testo : "?";
  const std::string valore1 =
      v != nullptr && v->valori.size() > 1 ? v->valori[1].testo : "?";
  switch (codice) {
    case 1:
      return {"lunghezza percorso {0} m fuori dai limiti: da 0 a 1000000 m",
              {valore0}};
    case 3:
      return {
          "l'inizio della ripetizione segnali ({0} m) deve essere "
          "multiplo di 50",
          {valore0}};
    case 4:
      return {
          "la fine della ripetizione segnali ({0} m) deve essere multipla "
          "di 50",
          {valore1}};
    case 5:
      return {
          "la parola chiave della ripetizione segnali deve dire 4 o 9 "
          "codici (\"ripetizione segnali 4 codici\")",
          {}};
    case 101:
      return {"descrizione della linea mancante", {}};
    case 102:
      return {
          "\"[generale]\" non trovato: la descrizione comincia con la riga "
          "[generale]",
          {}};
    default:
      break;
  }
  if (v != nullptr && v->scritta.find_first_of("123456") == std::string::npos)
    return {
        "{0}: la parola chiave della curva deve dire la classe, da 1 a 6 "
        "(curvad1 ... curvas6)",
        {v->scritta}};
  return {"il tracciato supera 1000000 m mentre le curve vengono stese", {}};
}

// A fault of the route scan, said at the signal or the slowdown it concerns.
const voce* voce_della_cella(const passata& s, int32_t codice, int64_t cella) {
  for (const voce& v : s.x.treno.voci) {
    if (s.esclusa(v) || !v.completa()) continue;
    const int64_t inizio = cella_punto(v.numero(0));
    if (codice == 11 && v.chiave == parola::segnale && inizio == cella)
      return &v;
    if (codice != 11 && v.chiave == parola::rallentamento) {
      const int64_t fine = cella_punto(v.numero(0) + v.numero(2));
      if (codice == 12 ? inizio == cella : cella > inizio && cella <= fine + 1)
        return &v;
    }
  }
  return nullptr;
}

messaggio guasto_della_scansione(int32_t codice, int64_t cella) {
  const std::string metro = numero(metro_della_cella(cella, aggancio::punto));
  if (codice == 11)
    return {
        "il segnale sta prima dell'avviso di un rallentamento e nessuna "
        "delle due celle prima di lui (cella {0}, {1} m) \xE8 libera per "
        "il codice di velocit\xE0",
        {numero(cella), metro}};
  if (codice == 12)
    return {
        "una delle finestre a 5-7, 11-13 o 18-20 celle prima dell'inizio "
        "(cella {0}, {1} m) \xE8 tutta occupata e il codice di "
        "velocit\xE0 non trova posto",
        {numero(cella), metro}};
  return {
      "un codice di velocit\xE0 ripetuto nel rallentamento, o prima del "
      "primo segnale dopo la sua fine, non trova una cella libera "
      "(cella {0}, {1} m)",
      {numero(cella), metro}};
}

problema problema_a(const voce* v, const luogo_lettura& l, messaggio m) {
  problema p;
  p.fonte = v != nullptr ? v->fonte : l.fonte;
  p.riga = v != nullptr ? v->riga : l.riga;
  p.colonna = v != nullptr ? v->colonna : l.colonna;
  p.parola = v != nullptr ? v->scritta : l.parola;
  p.testo = std::move(m);
  return p;
}

// Code 2: the progressions whose start or value is off the 50-m grid.
std::vector<problema> progressive_fuori_griglia(const passata& s,
                                                const registro_errore& r) {
  std::vector<problema> trovati;
  for (const voce& v : s.x.linea.voci) {
    const bool progressiva = v.chiave == parola::progressiva_uno ||
                             v.chiave == parola::progressiva_due ||
                             v.chiave == parola::progressiva_tre;
    if (!progressiva || !v.completa() || s.esclusa(v)) continue;
    if (v.numero(0) % 50 == 0 && v.numero(1) % 50 == 0) continue;
    trovati.push_back(problema_a(
        &v, r.luogo,
        {"{0}: inizio ({1} m) e valore ({2} m) devono essere multipli di 50",
         {v.scritta, v.valori[0].testo, v.valori[1].testo}}));
  }
  if (trovati.empty()) {
    trovati.push_back(problema_a(
        nullptr, r.luogo,
        {"una progressiva chilometrica ha inizio o valore non multiplo di 50",
         {}}));
  }
  return trovati;
}

messaggio messaggio_del_guasto(const passata& s, const registro_errore& r,
                               const voce* v) {
  const int32_t c = r.codice;
  if (v != nullptr && (c == 6 || c == 7 || (c >= 16 && c <= 21)))
    return cella_occupata(s, c, *v);
  if (v != nullptr && (c == 8 || c == 9 || c == 10 || c == 22 || c == 24))
    return guasto_di_stazione(s, c, *v);
  if (c == 15) return oltre_la_tabella(s, r, v);
  if (c == 25) return errore_di_lettura(s, r, v);
  return guasto_di_linea(c, v);
}

// The problems of one recorded fault.
std::vector<problema> problemi_del_guasto(const passata& s,
                                          const registro_errore& r) {
  if (r.codice == 2) return progressive_fuori_griglia(s, r);
  if (r.luogo.fonte == fonte_lettura::scansione) {
    const voce* v = voce_della_cella(s, r.codice, r.luogo.cella);
    messaggio m = guasto_della_scansione(r.codice, r.luogo.cella);
    // Named by the item it concerns, when there is one.
    m.formato = "{2}" + m.formato;
    m.argomenti.push_back(
        v != nullptr ? v->scritta + " a " + v->valori[0].testo + " m: " : "");
    problema p = problema_a(v, r.luogo, std::move(m));
    p.metro =
        static_cast<int32_t>(metro_della_cella(r.luogo.cella, aggancio::punto));
    return {p};
  }
  const voce* v = voce_del_luogo(s.x, r.luogo);
  problema p = problema_a(v, r.luogo, messaggio_del_guasto(s, r, v));
  if (r.con_posizione) p.metro = r.posizione;
  return {p};
}

// 1250 and 1251: the item that put a value into the reserved cell 1.
problema riservato(const passata& s, const esito_compilazione& esito) {
  const voce* trovato = nullptr;
  for (const voce* v : in_ordine(s.x)) {
    if (s.esclusa(*v)) continue;
    const std::vector<int64_t> celle = celle_della_voce(*v);
    if (std::find(celle.begin(), celle.end(), 1) != celle.end()) trovato = v;
  }
  problema p = problema_a(
      trovato, {},
      {"{0}: la cella 1 (da 0 a 50 m) \xE8 riservata e nessun elemento pu\xF2 "
       "starci; spostalo ad almeno 50 m",
       {trovato != nullptr
            ? trovato->scritta + " a " + trovato->valori[0].testo + " m"
            : "un elemento"}});
  p.codice = std::stoi(esito.codice);
  p.metro = 0;
  return p;
}

using chiave_guasto = std::tuple<int32_t, fonte_lettura, int, int64_t>;

// Adds the problems of a compilation's faults not seen before; returns the
// lines they stand on.
righe_escluse aggiungi_storia(const passata& s,
                              const std::vector<registro_errore>& storia,
                              bool registrata, std::set<chiave_guasto>& visti,
                              std::vector<problema>& p) {
  righe_escluse righe;
  for (std::size_t n = 0; n < storia.size(); ++n) {
    const registro_errore& r = storia[n];
    for (problema& nuovo : problemi_del_guasto(s, r)) {
      nuovo.codice = r.codice;
      nuovo.registrato = registrata && n + 1 == storia.size();
      // Compiled again without some lines, a fault that names no line is a
      // consequence of leaving them out, not news for the author.
      if (!registrata && nuovo.riga == 0 &&
          nuovo.fonte != fonte_lettura::scansione) {
        continue;
      }
      const chiave_guasto chiave{r.codice, nuovo.fonte, nuovo.riga,
                                 r.luogo.cella};
      if (nuovo.riga > 0 && nuovo.fonte != fonte_lettura::scansione)
        righe.insert({nuovo.fonte, nuovo.riga});
      if (!visti.insert(chiave).second && !nuovo.registrato) continue;
      p.push_back(std::move(nuovo));
    }
  }
  return righe;
}

std::string senza_righe(const std::string& testo, fonte_lettura fonte,
                        const righe_escluse& escluse) {
  std::string uscita;
  uscita.reserve(testo.size());
  int riga = 1;
  bool esclusa = escluse.count({fonte, riga}) != 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const char c = testo[i];
    if (c != '\n' && c != '\r') {
      if (!esclusa) uscita += c;
      continue;
    }
    uscita += c;
    if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') continue;
    ++riga;
    esclusa = escluse.count({fonte, riga}) != 0;
  }
  return uscita;
}

struct ricompilazione {
  diagnostica d;
  esito_compilazione esito;
};

ricompilazione compila_senza(const contesto_guasti& x,
                             const righe_escluse& escluse) {
  cartella_memoria c;
  c.file[nome_descrizione_linea(x.sc)] =
      senza_righe(x.testi.linea, fonte_lettura::descrizione_linea, escluse);
  c.file[nome_descrizione_treno(x.sc)] =
      senza_righe(x.testi.treno, fonte_lettura::descrizione_treno, escluse);
  tabelle t;
  ricompilazione r;
  r.esito = compila_tabelle(x.sc, c, x.con_piano, t, r.d);
  return r;
}

// More compilations than this find nothing that the author cannot find by
// mending the first faults.
constexpr int ricompilazioni_massime = 40;

}  // namespace

void aggiungi_guasti(const contesto_guasti& x, const diagnostica& registrata,
                     const esito_compilazione& esito, righe_escluse gia_escluse,
                     std::vector<problema>& p) {
  std::set<chiave_guasto> visti;
  const righe_escluse nessuna;
  righe_escluse nuove =
      aggiungi_storia({x, nessuna}, registrata.storia, true, visti, p);
  bool fatale_visto = esito.tipo == esito_compilazione::fatale;
  if (fatale_visto) {
    problema fatale = riservato({x, nessuna}, esito);
    fatale.registrato = true;
    p.push_back(std::move(fatale));
  }
  righe_escluse escluse = std::move(gia_escluse);
  for (int volta = 0; volta < ricompilazioni_massime; ++volta) {
    const std::size_t prima = escluse.size();
    escluse.insert(nuove.begin(), nuove.end());
    if (escluse.size() == prima && (volta > 0 || escluse.empty())) break;
    const ricompilazione r = compila_senza(x, escluse);
    nuove = aggiungi_storia({x, escluse}, r.d.storia, false, visti, p);
    if (r.esito.tipo == esito_compilazione::fatale && !fatale_visto) {
      fatale_visto = true;
      p.push_back(riservato({x, escluse}, r.esito));
    }
    if (r.d.storia.empty()) break;
  }
}
