#include "validation/regole.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "compiler/scansione.h"
#include "core/aritmetica.h"
#include "core/distanza_modifica.h"
#include "platform/cp1252.h"
#include "reading/lettore.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"
#include "train_run/geometria.h"
#include "validation/problemi_di_voce.h"

namespace {

std::string nomi_dei_valori(const forma_chiave& f) {
  std::string nomi;
  for (const valore_chiave& v : f.valori) {
    if (!nomi.empty()) nomi += ", ";
    nomi += v.nome;
  }
  return nomi;
}

// The words an author may write in a description: its keywords (every curve
// side and class) and its section headers.
std::vector<std::string> parole_note(fonte_lettura fonte) {
  std::vector<std::string> note;
  for (const forma_chiave& f : forme()) {
    if (f.fonte != fonte || f.chiave == parola::generale) continue;
    if (f.chiave == parola::curva) {
      for (char lato : {'d', 's'})
        for (char classe = '1'; classe <= '6'; ++classe)
          note.push_back(std::string("curva") + lato + classe);
      continue;
    }
    note.emplace_back(f.scritta);
  }
  for (std::string_view i : intestazioni(fonte)) note.emplace_back(i);
  return note;
}

// No edit apart: the same letters without regard to the case of ASCII letters.
bool uguali_ogni_caso(std::string_view a, std::string_view b) {
  auto minuscola = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return minuscola(x) == minuscola(y);
         });
}

bool ha_lettere(std::string_view testo) {
  return std::any_of(testo.begin(), testo.end(), [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
  });
}

messaggio limiti_della_larghezza(larghezza_valore larghezza) {
  switch (larghezza) {
    case larghezza_valore::intero16:
      return {N_("{0} to {1}"), {"-32768", "32767"}};
    case larghezza_valore::byte8:
      return {N_("{0} to {1}"), {"0", "255"}};
    default:
      return {N_("{0} to {1}"), {"-2147483648", "2147483647"}};
  }
}

bool entra(larghezza_valore larghezza, int64_t n) {
  switch (larghezza) {
    case larghezza_valore::intero16:
      return n >= std::numeric_limits<int16_t>::min() &&
             n <= std::numeric_limits<int16_t>::max();
    case larghezza_valore::byte8:
      return n >= 0 && n <= 255;
    default:
      return n >= std::numeric_limits<int32_t>::min() &&
             n <= std::numeric_limits<int32_t>::max();
  }
}

bool solo_cifre(const std::string& testo) {
  return !testo.empty() && std::all_of(testo.begin(), testo.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

}  // namespace

// A number split by a blank after its thousands ("4 000"): a value that ended
// at a blank, then, one blank on, three digits (the next value, or the first
// field left over after the last one).
std::optional<std::pair<const valore_letto*, const valore_letto*>>
migliaia_staccate(const voce& v) {
  std::vector<const valore_letto*> campi;
  for (const valore_letto& x : v.valori) campi.push_back(&x);
  if (!v.in_piu.empty()) campi.push_back(&v.in_piu.front());
  for (std::size_t n = 1; n < campi.size(); ++n) {
    const valore_letto& prima = *campi[n - 1];
    const valore_letto& dopo = *campi[n];
    if (!prima.a_uno_spazio || !solo_cifre(prima.testo) ||
        prima.testo.size() > 3 || prima.testo[0] == '0' ||
        dopo.testo.size() != 3 || !solo_cifre(dopo.testo) ||
        dopo.riga != prima.riga ||
        dopo.colonna !=
            prima.colonna + static_cast<int>(prima.testo.size()) + 1)
      continue;
    return std::pair{&prima, &dopo};
  }
  return std::nullopt;
}

namespace {

// What an extra field probably is, said after its list; empty when nothing
// is likely.
messaggio spiegazione_in_piu(const voce& v) {
  if (const auto staccate = migliaia_staccate(v)) {
    const auto [prima, dopo] = *staccate;
    return {N_("the number \"{0} {1}\" ends at its blank"),
            {prima->testo, dopo->testo}};
  }
  const std::string& primo = v.in_piu.front().testo;
  if (v.chiave == parola::curva)
    return {N_("a curve takes its start and length only: the class in its "
               "keyword (curvad1 ... curvas6) gives the radius")};
  if (v.chiave == parola::stazione && v.completa() &&
      solo_cifre(v.valori.back().testo)) {
    return {N_("a decimal comma? the values are whole numbers, and the name "
               "is read as \"{0}\""),
            {v.valori.back().testo}};
  }
  if (v.chiave == parola::stazione || v.chiave == parola::cartello_indicatore)
    return {N_("a comma in the text ends it: write it in quotes")};
  if (solo_cifre(primo))
    return {N_("a decimal comma? the values are whole numbers")};
  return {};
}

// Digits grouped in threes by full stops ("20.000"), without the stops; empty
// for any other text.
std::string senza_migliaia(const std::string& testo) {
  const std::size_t primo = testo.find('.');
  // A first group of 0 ("0.500") is a decimal, not thousands.
  if (primo == std::string::npos || primo == 0 || primo > 3 ||
      testo[0] == '0' || (testo.size() - primo) % 4 != 0)
    return "";
  std::string cifre;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    const bool punto = i >= primo && (i - primo) % 4 == 0;
    const char c = testo[i];
    if (punto ? c != '.' : std::isdigit(static_cast<unsigned char>(c)) == 0)
      return "";
    if (!punto) cifre += c;
  }
  return cifre;
}

// A value that is not a number; one with thousands separators gets the
// digits without them as the suggestion.
problema non_intero(const voce& v, const valore_chiave& atteso,
                    const valore_letto& val) {
  const std::string cifre = senza_migliaia(val.testo);
  problema x = a_valore(
      v, val, gravita::errore,
      {cifre.empty() ? N_("{0}: \"{1}\" is not a whole number")
                     : N_("{0}: \"{1}\" is not a whole number; numbers are "
                          "written without a thousands separator"),
       {nome_del_valore(v, atteso), val.testo}});
  x.suggerimento = cifre;
  return x;
}

// "pendenza takes 2 values: left over "5"; a decimal comma? ...".
messaggio valori_in_piu(const voce& v, const forma_chiave& f) {
  std::string elenco;
  for (const valore_letto& x : v.in_piu)
    elenco += (elenco.empty() ? "\"" : ", \"") + std::string(x.testo) + "\"";
  const auto attesi = static_cast<unsigned long>(f.valori.size());
  messaggio m = plurale("{0} takes {1} value: left over {2}",
                        "{0} takes {1} values: left over {2}", attesi,
                        {v.scritta, std::to_string(attesi), elenco});
  messaggio spiegazione = spiegazione_in_piu(v);
  if (spiegazione.formato.empty()) return m;
  return {N_("{0}; {1}"), {std::move(m), std::move(spiegazione)}};
}

}  // namespace

percorso percorso_di(const descrizione_letta& linea) {
  percorso r;
  for (const voce& v : linea.voci) {
    if (v.chiave != parola::lunghezza_percorso || !v.completa() ||
        !v.valori[0].numerico)
      continue;
    const int64_t l = v.numero(0);
    if (l < 0 || l > 1000000) continue;
    r.lunghezza = static_cast<int32_t>(l);
    r.ultima_cella = static_cast<int32_t>(
        cella_del_metro(static_cast<double>(l) + 7000, aggancio::tratto));
  }
  return r;
}

namespace {

// Everyday words for what a keyword names.
struct sinonimo {
  std::string_view parola;
  std::string_view chiave;
  fonte_lettura fonte;
};
constexpr sinonimo sinonimi[] = {
    {"galleria", "montagna", fonte_lettura::descrizione_linea},
    {"tunnel", "montagna", fonte_lettura::descrizione_linea},
    {"salita", "pendenza", fonte_lettura::descrizione_linea},
    {"discesa", "pendenza", fonte_lettura::descrizione_linea},
    {"cartello", "cartello_indicatore", fonte_lettura::descrizione_linea},
    {"fermata", "stazione", fonte_lettura::descrizione_treno},
    {"limite", "velocita", fonte_lettura::descrizione_treno},
    {"semaforo", "segnale", fonte_lettura::descrizione_treno},
};

std::string sinonimo_di(std::string_view campo, fonte_lettura fonte) {
  for (const sinonimo& s : sinonimi) {
    if (s.fonte == fonte && uguali_ogni_caso(campo, s.parola))
      return std::string(s.chiave);
  }
  return "";
}

}  // namespace

std::string forse_intendevi(std::string_view campo, fonte_lettura fonte) {
  if (std::string s = sinonimo_di(campo, fonte); !s.empty()) return s;
  // A field much longer than any keyword misspells none of them.
  if (!ha_lettere(campo) || campo.size() < 4 || campo.size() > 40) return "";
  std::string migliore;
  std::size_t minima = std::numeric_limits<std::size_t>::max();
  for (const std::string& nota : parole_note(fonte)) {
    // The distance is at least the difference in length, and one of more
    // than two is never close enough: such a word is never the answer.
    const std::size_t piu_lunga = std::max(campo.size(), nota.size());
    if (piu_lunga - std::min(campo.size(), nota.size()) > 2) continue;
    // Only a distance of two or less is ever taken: above that, any will do.
    const std::size_t distanza = distanza_entro(campo, nota, 2);
    if (distanza < minima) {
      minima = distanza;
      migliore = nota;
    }
  }
  // Case matters to some keywords: one that differs in case only is meant.
  if (minima == 0) return campo != migliore ? migliore : "";
  return abbastanza_vicina(campo, minima) ? migliore : "";
}

void controlla_testi_tra_virgolette(const descrizione_letta& d,
                                    std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    for (std::size_t n = 0; n < v.valori.size(); ++n) {
      const valore_letto& val = v.valori[n];
      if (!v.dopo_le_virgolette_di(n).empty()) {
        p.push_back(a_valore(
            v, val, gravita::avviso,
            {N_("{0}: \"{1}\" after the closing quote is dropped; a quoted "
                "text ends at its second double quote and cannot hold one"),
             {v.scritta, std::string(v.dopo_le_virgolette_di(n))}}));
      }
      if (val.testo.find_first_of("\r\n") != std::string::npos) {
        p.push_back(a_valore(
            v, val, gravita::avviso,
            {N_("{0}: the quoted text runs over more than one line: is its "
                "closing quote missing?"),
             {v.scritta}}));
      }
    }
  }
}

void controlla_valori(const descrizione_letta& d, std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    const forma_chiave& f = forma(v.chiave);
    if (!v.completa()) {
      const auto attesi = static_cast<unsigned long>(f.valori.size());
      p.push_back(
          a_voce(v, gravita::errore,
                 plurale("{0} takes {1} value ({2}), the line has {3}",
                         "{0} takes {1} values ({2}), the line has {3}", attesi,
                         {v.scritta, std::to_string(attesi), nomi_dei_valori(f),
                          numero(static_cast<int64_t>(v.valori.size()))})));
    }
    for (std::size_t n = 0; n < v.valori.size(); ++n) {
      const valore_letto& val = v.valori[n];
      const valore_chiave& atteso = f.valori[n];
      if (atteso.larghezza == larghezza_valore::testo) continue;
      if (!val.numerico) {
        p.push_back(non_intero(v, atteso, val));
      } else if (!entra(atteso.larghezza, val.numero)) {
        p.push_back(a_valore(v, val, gravita::errore,
                             {N_("{0}: {1} does not fit its field ({2})"),
                              {nome_del_valore(v, atteso), val.testo,
                               limiti_della_larghezza(atteso.larghezza)}}));
      }
    }
    if (v.da_commento) {
      p.push_back(a_voce(
          v, gravita::avviso,
          {N_("\"{0}\" is a comment read as a {1} line: only {2} comment lines "
              "in a row are dropped here, and this one comes after them; put "
              "another line between them, or keep keywords out of comments"),
           {v.scritta, std::string(f.scritta), v.generale ? "10" : "2"}}));
    }
    if (v.a_meta_riga) {
      p.push_back(a_voce(v, gravita::avviso,
                         {N_("\"{0}\" stands on the line of another keyword: "
                             "it is read as a new {1} line"),
                          {v.scritta, std::string(f.scritta)}}));
    }
    if (v.in_piu.empty()) continue;
    p.push_back(
        a_valore(v, v.in_piu.front(), gravita::avviso, valori_in_piu(v, f)));
    // A number split at its blank: the number meant.
    if (const auto staccate = migliaia_staccate(v))
      p.back().suggerimento =
          std::string(staccate->first->testo).append(staccate->second->testo);
  }
}

namespace {

// A field in keyword position that is a keyword somewhere else: in the other
// part of the line description, or in the other description.
const forma_chiave* chiave_altrove(std::string_view campo,
                                   const campo_ignorato& c,
                                   fonte_lettura fonte) {
  for (const forma_chiave& f : forme()) {
    if (f.chiave == parola::generale || !riconosce(f.chiave, campo)) continue;
    if (f.fonte != fonte || f.generale != c.nel_generale) return &f;
  }
  return nullptr;
}

bool intestazione_nota(std::string_view campo, fonte_lettura fonte) {
  for (std::string_view i : intestazioni(fonte))
    if (uguali_ogni_caso(campo, i)) return true;
  return false;
}

problema all_inizio(fonte_lettura fonte, gravita g, messaggio m) {
  problema x;
  x.g = g;
  x.fonte = fonte;
  x.riga = 1;
  x.colonna = 1;
  x.testo = std::move(m);
  return x;
}

problema a_campo(const campo_ignorato& c, fonte_lettura fonte, gravita g,
                 messaggio m) {
  problema p;
  p.g = g;
  p.fonte = fonte;
  p.riga = c.riga;
  p.colonna = c.colonna;
  p.testo = std::move(m);
  return p;
}

// The suggestion for each field text, found once: a long description repeats
// the same unknown words many times.
using suggerimenti = std::unordered_map<std::string, std::string>;

const std::string& suggerimento_per(const std::string& campo,
                                    fonte_lettura fonte, suggerimenti& noti) {
  auto [dove, nuovo] = noti.try_emplace(campo);
  if (nuovo) dove->second = forse_intendevi(campo, fonte);
  return dove->second;
}

void controlla_intestazione(const campo_ignorato& c, fonte_lettura fonte,
                            suggerimenti& noti, std::vector<problema>& p) {
  if (intestazione_nota(c.testo, fonte)) return;
  problema x = a_campo(c, fonte, gravita::avviso,
                       {N_("unknown section {0}: headers are only for "
                           "the reader"),
                        {c.testo}});
  x.suggerimento = suggerimento_per(c.testo, fonte, noti);
  p.push_back(std::move(x));
}

void controlla_campo(const campo_ignorato& c, fonte_lettura fonte,
                     bool scambiata, suggerimenti& noti,
                     std::vector<problema>& p) {
  if (campo_commento(c.testo)) return;  // a comment field past the first two
  if (intestazione(c.testo)) {
    if (scambiata) return;  // the headers of the other description
    return controlla_intestazione(c, fonte, noti, p);
  }
  if (const forma_chiave* f = chiave_altrove(c.testo, c, fonte)) {
    // A file given in the place of the other: said once for the whole file.
    if (scambiata && f->fonte != fonte) return;
    const char* formato =
        f->fonte != fonte
            ? N_("{0} holds only in the other description: here the line is "
                 "ignored")
        : f->generale ? N_("{0} holds only in the general section: here the "
                           "line is ignored")
                      : N_("{0} holds only after the general section: here "
                           "the line is ignored");
    // The line is not in the compiled files: an error, not a warning.
    p.push_back(a_campo(c, fonte, gravita::errore, {formato, {c.testo}}));
    return;
  }
  const std::string& forse = suggerimento_per(c.testo, fonte, noti);
  problema x =
      forse.empty()
          ? a_campo(c, fonte, gravita::avviso,
                    {N_("field ignored: \"{0}\""), {c.testo}})
          : a_campo(c, fonte, gravita::errore,
                    {N_("unknown keyword \"{0}\": the line is ignored"),
                     {c.testo}});
  x.suggerimento = forse;
  p.push_back(std::move(x));
}

// The lines of a description whose keyword holds only in the other one.
std::size_t righe_dell_altra(const descrizione_letta& d) {
  std::size_t quante = 0;
  int riga_precedente = 0;
  for (const campo_ignorato& c : d.ignorati) {
    if (c.riga == riga_precedente) continue;
    riga_precedente = c.riga;
    const forma_chiave* f = chiave_altrove(c.testo, c, d.fonte);
    if (f != nullptr && f->fonte != d.fonte) ++quante;
  }
  return quante;
}

// `altre`: righe_dell_altra(d), counted once by the caller (each count tries
// every field against every keyword).
bool sembra_l_altra(const descrizione_letta& d, std::size_t altre) {
  return altre >= 2 && altre > d.voci.size();
}

bool sembra_l_altra(const descrizione_letta& d) {
  return sembra_l_altra(d, righe_dell_altra(d));
}

}  // namespace

void controlla_scambio(const descrizione_letta& linea,
                       const descrizione_letta& treno,
                       std::vector<problema>& p) {
  const std::size_t altre_linea = righe_dell_altra(linea);
  const std::size_t altre_treno = righe_dell_altra(treno);
  const bool linea_scambiata = sembra_l_altra(linea, altre_linea);
  const bool treno_scambiato = sembra_l_altra(treno, altre_treno);
  if (linea_scambiata && treno_scambiato) {
    p.push_back(all_inizio(
        fonte_lettura::descrizione_linea, gravita::errore,
        {N_("this file looks like a train-run description and the other one "
            "like a line description: are the two files swapped? The line "
            "description comes first on the command line")}));
    p.back().del_file = true;
    return;
  }
  for (const auto& [d, altre] :
       {std::pair{&linea, altre_linea}, std::pair{&treno, altre_treno}}) {
    if (!sembra_l_altra(*d, altre)) continue;
    const char* formato =
        d->fonte == fonte_lettura::descrizione_linea
            ? N_("this file looks like a train-run description ({0} of its "
                 "lines hold only there): is it given in the place of the "
                 "line description?")
            : N_("this file looks like a line description ({0} of its "
                 "lines hold only there): is it given in the place of the "
                 "train-run description?");
    p.push_back(all_inizio(d->fonte, gravita::errore,
                           {formato, {numero(static_cast<int64_t>(altre))}}));
    p.back().del_file = true;
  }
}

void controlla_campi_ignorati(const descrizione_letta& d,
                              std::vector<problema>& p) {
  if (!d.con_generale) {
    problema x;
    x.fonte = d.fonte;
    x.riga = 1;
    x.colonna = 1;
    x.testo = {
        N_("\"[generale]\" not found: the description begins with the line "
           "[generale]")};
    // The header alone, with nothing after it, is found but ends the file.
    if (d.riga_generale > 0) {
      x.riga = d.riga_generale;
      x.testo = {
          N_("the description holds only its first line, [generale]: "
             "its general section, its items and [fine] are missing")};
    }
    // Without it the line description stops with code 102; the train-run
    // description is then read to its end and nothing of it is taken.
    if (d.fonte == fonte_lettura::descrizione_linea) x.codice = 102;
    p.push_back(std::move(x));
    return;
  }
  const bool scambiata = sembra_l_altra(d);
  int riga_precedente = 0;
  suggerimenti noti;
  for (const campo_ignorato& c : d.ignorati) {
    // The fields after an unknown one on its line are its values.
    if (c.riga == riga_precedente) continue;
    riga_precedente = c.riga;
    controlla_campo(c, d.fonte, scambiata, noti, p);
  }
}

void controlla_ripetizioni(const descrizione_letta& d,
                           std::vector<problema>& p) {
  std::map<parola, int> prime;
  for (const voce& v : d.voci) {
    if (!forma(v.chiave).una_volta) continue;
    auto [gia, nuova] = prime.emplace(v.chiave, v.riga);
    if (nuova) continue;
    const char* formato =
        v.chiave == parola::lunghezza_percorso
            ? N_("{0} already given on line {1}: the table of cells is made "
                 "anew")
            : N_("{0} already given on line {1}: the last one holds");
    p.push_back(a_voce(v, gravita::avviso,
                       {formato, {v.scritta, numero(gia->second)}}));
  }
}

aggancio aggancio_della_voce(parola p) {
  switch (p) {
    case parola::pendenza:
    case parola::montagna:
    case parola::velocita:
    case parola::aderenza:
    case parola::abbattimento:
      return aggancio::tratto;
    default:
      return aggancio::punto;
  }
}

namespace {

void controlla_griglia(const voce& v, const valore_letto& val, int64_t metri,
                       std::vector<problema>& p) {
  if (metri % metri_per_cella == 0 || v.chiave == parola::stazione) return;
  const aggancio a = aggancio_della_voce(v.chiave);
  const int64_t dove =
      metro_della_cella(cella_del_metro(static_cast<double>(metri), a), a);
  problema x = a_valore(
      v, val, gravita::avviso,
      {N_("{0} at {1} m off the 50-m grid: the compiler puts it at {2} m"),
       {v.scritta, val.testo, numero(dove)}});
  x.metro = static_cast<int32_t>(dove);
  p.push_back(std::move(x));
}

void controlla_sul_percorso(const voce& v, const valore_letto& val,
                            int64_t metri, const percorso& r,
                            std::vector<problema>& p) {
  if (!r.lunghezza) return;
  const int64_t ultima_ammessa = int64_t{r.ultima_cella} * 50 - 100;
  if (metri > *r.lunghezza && metri <= ultima_ammessa) {
    problema x = a_valore(v, val, gravita::avviso,
                          {N_("{0} at {1} m beyond the end of the route "
                              "({2} m)"),
                           {v.scritta, val.testo, numero(*r.lunghezza)}});
    x.metro = static_cast<int32_t>(metri);
    p.push_back(std::move(x));
  } else if (metri < 0 && v.chiave != parola::stazione) {
    p.push_back(a_valore(v, val, gravita::avviso,
                         {N_("{0} at {1} m before the start of the line"),
                          {v.scritta, val.testo}}));
  }
}

// A route length off the grid ends inside a cell. (A curve's metres may be
// any: it writes no cell, and the plan keeps the metre.)
void controlla_lunghezza_in_griglia(const voce& v, std::vector<problema>& p) {
  if (v.chiave != parola::lunghezza_percorso || v.valori.empty()) return;
  const valore_letto& val = v.valori[0];
  if (!val.numerico || val.numero % metri_per_cella == 0) return;
  p.push_back(
      a_valore(v, val, gravita::avviso,
               {N_("{0} of {1} m off the 50-m grid"), {v.scritta, val.testo}}));
}

void controlla_curva(const voce& v, const percorso& r,
                     std::vector<problema>& p) {
  controlla_lunghezza_in_griglia(v, p);
  if (v.chiave == parola::curva && !v.valori.empty() && v.valori[0].numerico)
    controlla_sul_percorso(v, v.valori[0], v.valori[0].numero, r, p);
  if (v.chiave != parola::curva || !r.lunghezza || !v.completa()) return;
  const int64_t fine = v.numero(0) + v.numero(1);
  const int64_t ultimo = int64_t{*r.lunghezza} + 7000 - 2;
  if (fine > ultimo) {
    p.push_back(a_voce(v, gravita::avviso,
                       {N_("the curve ends at {0} m, beyond the last metre "
                           "of the plan ({1} m): the part beyond is not "
                           "laid"),
                        {numero(fine), numero(ultimo)}}));
  }
}

}  // namespace

void controlla_posizioni(const descrizione_letta& d, const percorso& r,
                         std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    const forma_chiave& f = forma(v.chiave);
    controlla_curva(v, r, p);
    for (std::size_t n = 0; n < v.valori.size(); ++n) {
      const valore_letto& val = v.valori[n];
      if (f.valori[n].ruolo != ruolo_valore::posizione || !val.numerico)
        continue;
      const bool nella_tabella =
          !r.lunghezza || val.numero <= int64_t{r.ultima_cella} * 50 - 100;
      if (nella_tabella) controlla_griglia(v, val, val.numero, p);
      controlla_sul_percorso(v, val, val.numero, r, p);
    }
    if (v.chiave == parola::rallentamento && v.completa()) {
      const int64_t fine = v.numero(0) + v.numero(2);
      if (fine % metri_per_cella != 0) {
        p.push_back(a_valore(
            v, v.valori[2], gravita::avviso,
            {N_("the end of the slowdown at {0} m is off the 50-m grid"),
             {numero(fine)}}));
      }
    }
  }
}

namespace {

// What the compiled byte makes of a gradient or an adhesion beyond what it
// holds; nothing for a value that it holds.
std::optional<int64_t> come_byte(const voce& v, std::size_t n, int64_t x) {
  if (n != 1) return std::nullopt;
  if (v.chiave == parola::pendenza && (x < -100 || x > 155))
    return pendenza_tenuta(x);
  if (v.chiave == parola::aderenza && (x < 0 || x > 255))
    return (x % 256 + 256) % 256;
  return std::nullopt;
}

}  // namespace

void controlla_intervalli(const descrizione_letta& d,
                          std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    const forma_chiave& f = forma(v.chiave);
    for (std::size_t n = 0; n < v.valori.size(); ++n) {
      const valore_letto& val = v.valori[n];
      const valore_chiave& atteso = f.valori[n];
      if (!val.numerico || atteso.minimo == atteso.massimo) continue;
      if (!entra(atteso.larghezza, val.numero)) continue;  // an error already
      if (v.chiave == parola::montagna && atteso.nome == "tipo") continue;
      if (val.numero >= atteso.minimo && val.numero <= atteso.massimo) continue;
      const std::string unita =
          atteso.unita.empty() ? "" : " " + std::string(atteso.unita);
      messaggio m{N_("{0}: {1}{2} outside what makes sense ({3}..{4}{2})"),
                  {nome_del_valore(v, atteso), val.testo, unita,
                   numero(atteso.minimo), numero(atteso.massimo)}};
      if (const auto byte = come_byte(v, n, val.numero)) {
        m = {N_("{0}; the compiled byte holds it as {1}"),
             {std::move(m), numero(*byte)}};
      }
      p.push_back(a_valore(v, val, gravita::avviso, std::move(m)));
    }
  }
}

void controlla_ordine(const descrizione_letta& d, std::vector<problema>& p) {
  std::map<parola, int64_t> ultime;
  int64_t steso = 1;  // the last metre of the plan laid so far
  for (const voce& v : d.voci) {
    if (!v.completa()) continue;
    if (v.chiave == parola::curva) {
      // A start or length that is no number has its own error.
      if (!v.valori[0].numerico || !v.valori[1].numerico) continue;
      const int64_t inizio = v.numero(0), fine = inizio + v.numero(1);
      if (inizio < steso) {
        p.push_back(a_voce(v, gravita::avviso,
                           {N_("{0} starts at {1} m, behind the plan "
                               "already laid up to {2} m"),
                            {v.scritta, numero(inizio), numero(steso)}}));
      }
      steso = std::max({steso, inizio, fine});
      continue;
    }
    if (v.chiave != parola::pendenza && v.chiave != parola::velocita &&
        v.chiave != parola::aderenza) {
      continue;
    }
    // A position that is no number has its own error: it orders nothing.
    if (!v.valori[0].numerico) continue;
    auto [prima, nuova] = ultime.emplace(v.chiave, v.numero(0));
    if (!nuova && v.numero(0) <= prima->second) {
      p.push_back(
          a_voce(v, gravita::avviso,
                 {N_("{0} at {1} m not after the one before at {2} m"),
                  {v.scritta, numero(v.numero(0)), numero(prima->second)}}));
    }
    prima->second = v.numero(0);
  }
}

void controlla_multipli_di_5(const descrizione_letta& d,
                             std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    std::vector<std::size_t> velocita;
    if (v.chiave == parola::velocita) velocita = {1};
    if (v.chiave == parola::indicatori_vmax) velocita = {5, 6, 7};
    for (std::size_t n : velocita) {
      if (n >= v.valori.size() || !v.valori[n].numerico) continue;
      const int64_t x = v.valori[n].numero;
      if (x % 5 == 0) continue;
      const int64_t tenuta = velocita_tenuta(x);
      p.push_back(a_valore(
          v, v.valori[n], gravita::avviso,
          {N_("{0}: {1} km/h is not a multiple of 5: it is stored as {2} "
              "km/h"),
           {nome_del_valore(v, forma(v.chiave).valori[n]), v.valori[n].testo,
            numero(tenuta)}}));
    }
  }
}

namespace {

// Where a slowdown or a tunnel runs, from and to.
std::pair<int64_t, int64_t> estensione(const voce& v) {
  if (v.chiave == parola::rallentamento)
    return {v.numero(0), v.numero(0) + v.numero(2)};
  return {v.numero(0), v.numero(1)};
}

}  // namespace

void controlla_sovrapposizioni(const descrizione_letta& d,
                               std::vector<problema>& p) {
  for (parola chiave : {parola::montagna, parola::rallentamento}) {
    std::vector<const voce*> tratti;
    for (const voce& v : d.voci) {
      if (v.chiave != chiave || !v.completa()) continue;
      const auto [da, a] = estensione(v);
      if (a > da) tratti.push_back(&v);
    }
    std::stable_sort(tratti.begin(), tratti.end(),
                     [](const voce* x, const voce* y) {
                       return estensione(*x).first < estensione(*y).first;
                     });
    // Along the line, each against the one reaching furthest before it; the
    // warning stands at the one given later.
    const voce* lungo = nullptr;
    for (const voce* v : tratti) {
      if (lungo != nullptr &&
          estensione(*v).first < estensione(*lungo).second) {
        const voce* dopo = v->riga > lungo->riga ? v : lungo;
        const voce* prima = dopo == v ? lungo : v;
        const auto [da, a] = estensione(*dopo);
        const auto [da_w, a_w] = estensione(*prima);
        p.push_back(a_voce(*dopo, gravita::avviso,
                           {N_("{0} from {1} m to {2} m overlaps the one from "
                               "{3} m to {4} m (line {5})"),
                            {dopo->scritta, numero(da), numero(a), numero(da_w),
                             numero(a_w), numero(prima->riga)}}));
      }
      if (lungo == nullptr || estensione(*v).second > estensione(*lungo).second)
        lungo = v;
    }
  }
}

void controlla_profili_da_zero(const descrizione_letta& d,
                               std::vector<problema>& p) {
  for (parola chiave : {parola::velocita, parola::aderenza}) {
    const voce* prima = nullptr;
    bool da_zero = false;
    for (const voce& v : d.voci) {
      if (v.chiave != chiave || !v.completa()) continue;
      if (prima == nullptr) prima = &v;
      const double metri = static_cast<double>(v.numero(0));
      if (cella_del_metro(metri, aggancio::tratto) <= 0) da_zero = true;
    }
    if (prima == nullptr || da_zero) continue;
    const char* formato =
        chiave == parola::velocita
            ? N_("{0} first given at {1} m: the cells before it get a speed "
                 "limit of 0; begin with a line at 0 m (\"{0}, 0, ...\")")
            : N_("{0} first given at {1} m: the cells before it get an "
                 "adhesion of 0; begin with a line at 0 m (\"{0}, 0, ...\")");
    problema x = a_valore(*prima, prima->valori[0], gravita::avviso,
                          {formato, {prima->scritta, prima->valori[0].testo}});
    x.metro = 0;
    p.push_back(std::move(x));
  }
}

void controlla_rallentamenti_presto(const descrizione_letta& d,
                                    std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    if (v.chiave != parola::rallentamento || !v.completa()) continue;
    const int64_t inizio = v.numero(0);
    if (inizio >= 1000) continue;
    const int64_t cella =
        cella_del_metro(static_cast<double>(inizio), aggancio::punto);
    // The windows 5-7, 11-13 and 18-20 cells before the start cell.
    unsigned long persi = 0;
    for (int64_t vicina : finestre_prima_del_rallentamento)
      if (cella <= vicina + 2) ++persi;
    // In cell 1 a speed or a d_v is fault 1250 or 1251; without them the
    // reserved values go over the start without a word.
    if (cella == 1 && v.numero(1) == 0 && v.numero(5) == 0) {
      p.push_back(a_valore(
          v, v.valori[0], gravita::avviso,
          {N_("{0} at {1} m starts in cell 1 (0 to 50 m), which is reserved: "
              "the compiler writes its reserved values over the start; "
              "start it at 1000 m or later"),
           {v.scritta, v.valori[0].testo}}));
      continue;
    }
    if (persi == 0 || cella <= 1) continue;  // cell 1 is a fault of its own
    problema x = a_valore(
        v, v.valori[0], gravita::avviso,
        plurale("{0} at {1} m starts before 1000 m: {2} of the three "
                "speed-code marks before its start has no room after the "
                "start of the line and is left out; start it at 1000 m or "
                "later",
                "{0} at {1} m starts before 1000 m: {2} of the three "
                "speed-code marks before its start have no room after the "
                "start of the line and are left out; start it at 1000 m or "
                "later",
                persi, {v.scritta, v.valori[0].testo, numero(persi)}));
    x.metro = static_cast<int32_t>(inizio);
    p.push_back(std::move(x));
  }
}

void controlla_gallerie(const descrizione_letta& d, const percorso& r,
                        std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    if (v.chiave != parola::montagna || !v.completa()) continue;
    const int64_t inizio = v.numero(0), fine = v.numero(1), tipo = v.numero(2);
    if (fine <= inizio) {
      p.push_back(a_voce(v, gravita::avviso,
                         {N_("the tunnel ends at {0} m, not after its start "
                             "at {1} m: no cell"),
                          {numero(fine), numero(inizio)}}));
    }
    const int64_t proprio = tipo > 10 ? tipo - 10 : tipo;
    if (proprio < 1 || proprio > 9) {
      p.push_back(a_valore(
          v, v.valori[2], gravita::avviso,
          {N_("unknown tunnel kind {0}: the kinds go from 1 to 9, and from "
              "11 to 19 with a mark every four cells"),
           {numero(tipo)}}));
    }
    if (r.lunghezza && fine > *r.lunghezza && inizio <= *r.lunghezza) {
      p.push_back(a_valore(v, v.valori[1], gravita::avviso,
                           {N_("the tunnel ends at {0} m, beyond the end of "
                               "the route ({1} m)"),
                            {numero(fine), numero(*r.lunghezza)}}));
    }
  }
}

namespace {

std::string ora(int64_t secondi) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02lld:%02lld:%02lld",
                static_cast<long long>(secondi / 3600),
                static_cast<long long>(secondi / 60 % 60),
                static_cast<long long>(secondi % 60));
  return testo;
}

// The station's time in seconds as the compiler encodes it; none when a value
// or a step does not fit 32 bits (the compiler refuses that line itself).
std::optional<int64_t> orario_di(const voce& v) {
  int32_t ore, minuti, secondi, orario;
  if (!entra_in_32(v.numero(13), ore) || !entra_in_32(v.numero(14), minuti) ||
      !entra_in_32(v.numero(15), secondi) ||
      !codifica_orario(ore, minuti, secondi, orario))
    return std::nullopt;
  return orario;
}

}  // namespace

void controlla_orari(const descrizione_letta& d, std::vector<problema>& p) {
  std::vector<const voce*> stazioni;
  for (const voce& v : d.voci) {
    if (v.chiave == parola::stazione && v.completa()) stazioni.push_back(&v);
  }
  std::stable_sort(
      stazioni.begin(), stazioni.end(),
      [](const voce* a, const voce* b) { return a->numero(0) < b->numero(0); });
  const voce* precedente = nullptr;
  int64_t orario_precedente = 0;
  for (const voce* v : stazioni) {
    if (v->numero(13) == 0 && v->numero(14) == 0 && v->numero(15) == 0)
      continue;  // no time
    const std::optional<int64_t> letto = orario_di(*v);
    if (!letto) continue;
    int64_t orario = *letto;
    while (precedente != nullptr &&
           passa_la_mezzanotte(orario_precedente, orario))
      orario += secondi_giorno;
    if (precedente != nullptr && orario < orario_precedente) {
      p.push_back(a_valore(
          *v, v->valori[13], gravita::avviso,
          {N_("stazione {0} at {1}, not after {2} at {3} (line {4}), which "
              "comes before it along the line"),
           {v->valori[16].testo, ora(orario % secondi_giorno),
            precedente->valori[16].testo,
            ora(orario_precedente % secondi_giorno),
            numero(precedente->riga)}}));
    }
    precedente = v;
    orario_precedente = orario;
  }
}

namespace {

// The word around byte `i`: up to a blank, a comma or a line end.
std::string_view parola_intorno(std::string_view testo, std::size_t i) {
  auto separa = [](char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
  };
  std::size_t da = i, a = i;
  while (da > 0 && !separa(testo[da - 1])) --da;
  while (a < testo.size() && !separa(testo[a])) ++a;
  return testo.substr(da, a - da);
}

}  // namespace

void controlla_codifica(std::string_view byte, fonte_lettura fonte,
                        std::vector<problema>& p) {
  const bool bom16 =
      byte.size() >= 2 && ((byte[0] == '\xFF' && byte[1] == '\xFE') ||
                           (byte[0] == '\xFE' && byte[1] == '\xFF'));
  if (bom16 || byte.substr(0, 64).find('\0') != std::string_view::npos) {
    p.push_back(all_inizio(
        fonte, gravita::errore,
        {N_("the description is in UTF-16: the compiler reads one byte a "
            "letter (Windows-1252); save it in Windows-1252")}));
    return;
  }
  // A UTF-8 byte-order mark alone does no harm: it stands before
  // [generale], where everything is skipped. The letters after it tell.
  const std::size_t dopo_il_segno = byte.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  const auto alto = std::find_if(
      byte.begin() + dopo_il_segno, byte.end(),
      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  const std::size_t primo = alto == byte.end()
                                ? std::string_view::npos
                                : static_cast<std::size_t>(alto - byte.begin());
  if (primo == std::string_view::npos || !utf8_valido(byte)) return;
  const std::string_view parola = parola_intorno(byte, primo);
  std::string intesa;
  if (!utf8_a_cp1252(parola, intesa)) intesa = parola;
  problema x = all_inizio(
      fonte, gravita::avviso,
      {N_("the description seems to be in UTF-8: \"{0}\" would be read "
          "\"{1}\"; save it in Windows-1252 or use --encoding utf-8"),
       {intesa, std::string(parola)}});
  x.riga = 1 + static_cast<int>(std::count(byte.begin(), alto, '\n'));
  const std::size_t a_capo = byte.rfind('\n', primo);
  const std::size_t inizio = a_capo == std::string_view::npos ? 0 : a_capo + 1;
  x.colonna = static_cast<int>(primo - inizio) + 1;
  p.push_back(std::move(x));
}
