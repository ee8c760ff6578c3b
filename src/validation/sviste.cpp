#include "validation/sviste.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "reading/grammatica.h"
#include "validation/problemi_di_voce.h"

namespace {

// The error already found at a line and column, or null.
problema* errore_a(std::vector<problema>& p, fonte_lettura fonte, int riga,
                   int colonna) {
  for (problema& x : p) {
    if (x.g == gravita::errore && x.fonte == fonte && x.riga == riga &&
        x.colonna == colonna)
      return &x;
  }
  return nullptr;
}

bool cifre(std::string_view t, std::size_t minimo, std::size_t massimo) {
  return t.size() >= minimo && t.size() <= massimo &&
         std::all_of(t.begin(), t.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) != 0;
         });
}

int64_t valore_di(std::string_view t) {
  int64_t n = 0;
  for (char c : t) n = n * 10 + (c - '0');
  return n;
}

// "7:43", "7.43", "07:43:00": the three values of a clock time, or empty.
std::string orario_in_un_campo(std::string_view t) {
  std::vector<std::string_view> parti;
  std::size_t da = 0;
  for (std::size_t i = 0; i <= t.size(); ++i) {
    if (i < t.size() && t[i] != ':' && t[i] != '.') continue;
    parti.push_back(t.substr(da, i - da));
    da = i + 1;
  }
  if (parti.size() < 2 || parti.size() > 3) return "";
  for (std::string_view x : parti)
    if (!cifre(x, 1, 2)) return "";
  const int64_t ore = valore_di(parti[0]), minuti = valore_di(parti[1]);
  const int64_t secondi = parti.size() == 3 ? valore_di(parti[2]) : 0;
  if (ore > 23 || minuti > 59 || secondi > 59 || parti[1].size() != 2)
    return "";
  return numero(ore) + ", " + numero(minuti) + ", " + numero(secondi);
}

// "8.5", "8.25", "9+200": kilometres, as metres; empty for anything else.
// Three decimals ("12.300") are said as thousands by the checks already.
std::string chilometri(std::string_view t) {
  const std::size_t segno = t.find_first_of(".+");
  if (segno == std::string_view::npos) return "";
  const std::string_view km = t.substr(0, segno), resto = t.substr(segno + 1);
  if (!cifre(km, 1, 4)) return "";
  if (t[segno] == '+') {
    if (!cifre(resto, 3, 3)) return "";
    return numero(valore_di(km) * 1000 + valore_di(resto));
  }
  if (!cifre(resto, 1, 2)) return "";
  std::string m(resto);
  m.resize(3, '0');
  return numero(valore_di(km) * 1000 + valore_di(m));
}

void indizio_del_valore(const voce& v, const valore_chiave& atteso,
                        const valore_letto& val, std::vector<problema>& p) {
  if (val.numerico || atteso.larghezza == larghezza_valore::testo) return;
  problema* x = errore_a(p, v.fonte, val.riga, val.colonna);
  if (x == nullptr || !x->suggerimento.empty()) return;
  if (atteso.nome == "ore") {
    const std::string tre = orario_in_un_campo(val.testo);
    if (tre.empty()) return;
    x->testo = {N_("{0}; a time is written as three values: hours, minutes "
                   "and seconds"),
                {std::move(x->testo)}};
    x->suggerimento = tre;
  } else if (atteso.unita == "m") {
    const std::string metri = chilometri(val.testo);
    if (metri.empty()) return;
    x->testo = {N_("{0}; positions and lengths are whole metres: {1} km is "
                   "{2} m"),
                {std::move(x->testo), val.testo, metri}};
    x->suggerimento = metri;
  }
}

// The lines of a description, found once when a hint needs one.
class righe_del_testo {
 public:
  explicit righe_del_testo(std::string_view testo) : testo_(testo) {}
  // Line `n` (from 1) without its end; empty past the last.
  std::string_view riga(int n) {
    if (inizi_.empty()) trova_inizi();
    if (n < 1 || static_cast<std::size_t>(n) > inizi_.size()) return {};
    const std::size_t da = inizi_[static_cast<std::size_t>(n - 1)];
    const std::size_t fine = testo_.find_first_of("\r\n", da);
    return testo_.substr(da, fine == std::string_view::npos ? fine : fine - da);
  }

 private:
  void trova_inizi() {
    inizi_.push_back(0);
    for (std::size_t i = 0; i < testo_.size(); ++i) {
      if (testo_[i] == '\r' && i + 1 < testo_.size() && testo_[i + 1] == '\n')
        ++i;
      if (testo_[i] == '\r' || testo_[i] == '\n') inizi_.push_back(i + 1);
    }
  }
  std::string_view testo_;
  std::vector<std::size_t> inizi_;
};

// `riga` from the keyword on, as it should read: the fields that commas and
// `separatore` divide (not inside quotes), blanks at their ends removed,
// empty ones left out, joined by commas.
std::string con_virgole(std::string_view riga, char separatore) {
  std::string risultato;
  std::size_t da = 0;
  bool virgolette = false;
  for (std::size_t i = 0; i <= riga.size(); ++i) {
    if (i < riga.size()) {
      if (riga[i] == '"') virgolette = !virgolette;
      if (virgolette || (riga[i] != ',' && riga[i] != separatore)) continue;
    }
    std::string_view parte = riga.substr(da, i - da);
    while (!parte.empty() && (parte.front() == ' ' || parte.front() == '\t'))
      parte.remove_prefix(1);
    while (!parte.empty() && (parte.back() == ' ' || parte.back() == '\t'))
      parte.remove_suffix(1);
    if (!parte.empty()) {
      if (!risultato.empty()) risultato += ", ";
      risultato += parte;
    }
    da = i + 1;
  }
  return risultato;
}

// The separator that stands for a comma on `v`'s line: a semicolon in its
// keyword field or in a number, or a tab in its keyword field; 0 for none.
char separatore_sbagliato(const voce& v) {
  if (v.scritta.find(';') != std::string::npos) return ';';
  const forma_chiave& f = forma(v.chiave);
  for (std::size_t n = 0; n < v.valori.size(); ++n) {
    if (f.valori[n].larghezza != larghezza_valore::testo &&
        v.valori[n].testo.find(';') != std::string::npos)
      return ';';
  }
  for (const valore_letto& x : v.in_piu)
    if (x.testo.find(';') != std::string::npos) return ';';
  return v.scritta.find('\t') != std::string::npos ? '\t' : 0;
}

// The first error on `v`'s line without a hint yet, or null.
problema* errore_della_riga(const voce& v, std::vector<problema>& p) {
  problema* primo = nullptr;
  for (problema& x : p) {
    if (x.g != gravita::errore || x.fonte != v.fonte || x.riga != v.riga ||
        !x.suggerimento.empty())
      continue;
    if (primo == nullptr || x.colonna < primo->colonna) primo = &x;
  }
  return primo;
}

// "pendenza;   5000;   22" read as one keyword field, "pendenza, 5000; 22"
// with a number that is none: the error says so, with the line as it
// should read; the other problems of that line, with its values read out of
// place, are dropped.
void indizio_dei_separatori(const voce& v, righe_del_testo& righe,
                            std::vector<problema>& p) {
  const char separatore = separatore_sbagliato(v);
  if (separatore == 0) return;
  problema* x = errore_della_riga(v, p);
  if (x == nullptr) return;
  x->testo = {separatore == ';'
                  ? N_("{0}; the values are separated by semicolons: a "
                       "description separates them with commas")
                  : N_("{0}; the values are separated by tabs: a "
                       "description separates them with commas"),
              {std::move(x->testo)}};
  const std::string_view riga = righe.riga(v.riga);
  const auto dalla_parola = static_cast<std::size_t>(v.colonna - 1);
  x->suggerimento =
      con_virgole(dalla_parola < riga.size() ? riga.substr(dalla_parola) : riga,
                  separatore);
  problema tenuto = std::move(*x);
  std::erase_if(p, [&](const problema& y) {
    return y.fonte == v.fonte && y.riga == v.riga;
  });
  p.push_back(std::move(tenuto));
}

}  // namespace

void aggiungi_indizi(const descrizione_letta& d, std::string_view testo,
                     std::vector<problema>& p) {
  righe_del_testo righe(testo);
  for (const voce& v : d.voci) {
    indizio_dei_separatori(v, righe, p);
    const forma_chiave& f = forma(v.chiave);
    for (std::size_t n = 0; n < v.valori.size(); ++n)
      indizio_del_valore(v, f.valori[n], v.valori[n], p);
  }
}

void controlla_valori_vuoti(const descrizione_letta& d,
                            std::vector<problema>& p) {
  for (const voce& v : d.voci) {
    const forma_chiave& f = forma(v.chiave);
    for (std::size_t n = 0; n < v.valori.size(); ++n) {
      const valore_letto& val = v.valori[n];
      if (f.valori[n].larghezza == larghezza_valore::testo ||
          !val.testo.empty() || !val.numerico)
        continue;
      p.push_back(a_valore(
          v, val, gravita::errore,
          {N_("{0}: the value is empty and the compiler reads it as 0: write "
              "the value (0 when 0 is meant)"),
           {nome_del_valore(v, f.valori[n])}}));
    }
  }
}

bool controlla_stesso_file(std::string_view linea, std::string_view treno,
                           std::vector<problema>& p) {
  if (linea.empty() || linea != treno) return false;
  problema x;
  x.fonte = fonte_lettura::descrizione_treno;
  x.riga = 1;
  x.colonna = 1;
  x.del_file = true;
  x.testo = {
      N_("the train-run description is the same file as the line "
         "description: no train run is read; give the train-run description "
         "second")};
  p.push_back(std::move(x));
  return true;
}

void controlla_stazioni_assenti(const descrizione_letta& treno,
                                std::vector<problema>& p) {
  for (const voce& v : treno.voci)
    if (v.chiave == parola::stazione) return;
  // Only the header tells a run meant to have stations from a run that
  // holds none on purpose (a run written to try a line, say).
  for (const campo_ignorato& c : treno.ignorati) {
    if (c.testo != "[stazioni]") continue;
    problema x;
    x.g = gravita::avviso;
    x.fonte = treno.fonte;
    x.riga = c.riga;
    x.colonna = c.colonna;
    x.testo = {
        N_("[stazioni] holds no stazione line: the train run has no station, "
           "so no stop and no timetable (the train sheet lists none); write "
           "the stations under it")};
    p.push_back(std::move(x));
    return;
  }
}

namespace {

int righe_del_testo(std::string_view testo) {
  int righe = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\n' ||
        (testo[i] == '\r' && (i + 1 == testo.size() || testo[i + 1] != '\n')))
      ++righe;
  }
  const char ultimo = testo.empty() ? '\n' : testo.back();
  return ultimo == '\n' || ultimo == '\r' ? righe : righe + 1;
}

// The problem that says fault `r` at the author's line: the one recorded
// when `ultimo`, else the last of its code at or before the fault's line.
problema* problema_del_guasto(const registro_errore& r, bool ultimo,
                              std::vector<problema>& p) {
  problema* trovato = nullptr;
  for (problema& x : p) {
    if (x.fonte != r.luogo.fonte || x.codice != r.codice || x.non_letto)
      continue;
    if (ultimo && x.registrato) return &x;
    if (x.riga > r.luogo.riga) continue;
    if (trovato == nullptr || x.riga >= trovato->riga) trovato = &x;
  }
  return trovato;
}

}  // namespace

void aggiungi_non_letto(const std::vector<registro_errore>& storia,
                        const descrizione_letta& linea,
                        const descrizione_letta& treno,
                        std::string_view testo_linea,
                        std::string_view testo_treno,
                        std::vector<problema>& p) {
  for (std::size_t n = 0; n < storia.size(); ++n) {
    const registro_errore& r = storia[n];
    const bool di_linea = r.luogo.fonte == fonte_lettura::descrizione_linea;
    if (!di_linea && r.luogo.fonte != fonte_lettura::descrizione_treno)
      continue;
    problema* x = problema_del_guasto(r, n + 1 == storia.size(), p);
    if (x == nullptr) continue;
    const int da = x->riga > 0 ? x->riga : r.luogo.riga;
    const int a = righe_del_testo(di_linea ? testo_linea : testo_treno);
    if (da <= 0 || da > a) continue;
    const descrizione_letta& d = di_linea ? linea : treno;
    const auto voci = static_cast<unsigned long>(
        std::count_if(d.voci.begin(), d.voci.end(),
                      [&](const voce& v) { return v.riga >= da; }));
    if (voci == 0) continue;  // nothing of the author's is left out
    messaggio m = plurale(
        "the compiler stops reading this description here: lines {0} to {1} "
        "({2} item) are not in the compiled files",
        "the compiler stops reading this description here: lines {0} to {1} "
        "({2} items) are not in the compiled files",
        voci, {numero(da), numero(a), numero(static_cast<int64_t>(voci))});
    // Code 15 ends the line description as if it ended there; any other
    // fault in it stops the whole reading.
    if (di_linea && r.codice != 15)
      m = {N_("{0}; the train run is not read"), {std::move(m)}};
    x->non_letto = std::move(m);
  }
}
