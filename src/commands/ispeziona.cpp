#include "commands/ispeziona.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "tables/campi.h"
#include "tables/formato.h"
#include "tables/metri.h"
#include "tables/piano_su_file.h"
#include "tables/valori_celle.h"
#include "cli/coerenza.h"
#include "cli/esiti.h"
#include "cli/formati.h"
#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "commands/json_a_flusso.h"

namespace {

using json = nlohmann::ordered_json;

enum class tipo_file { geometria, stazioni, celle, sconosciuto };

bool finisce_con(const std::string& testo, const std::string& fine) {
  return testo.size() >= fine.size() &&
         testo.compare(testo.size() - fine.size(), fine.size(), fine) == 0;
}

tipo_file riconosci(const std::string& percorso) {
  if (finisce_con(percorso, "_linea.dat")) return tipo_file::geometria;
  if (finisce_con(percorso, ".sim")) return tipo_file::stazioni;
  if (finisce_con(percorso, ".dat")) return tipo_file::celle;
  return tipo_file::sconosciuto;
}

std::string utf8(const std::string& testo) { return cp1252_a_utf8(testo); }

// "87 records", "1 byte": a count in its noun's form for that count.
std::string conteggio(const char* forma, std::size_t quanti) {
  return sostituisci(forma, {std::to_string(quanti)});
}

std::string quanti_byte(std::size_t quanti) {
  return conteggio(traduci_plurale("{0} byte", "{0} bytes", quanti), quanti);
}

// --- Station table -----------------------------------------------------------

// What a record is used for: in words for people (English, translated where
// shown) and as the word that scripts read in every language.
struct ruolo {
  const char* testo;
  const char* dato;
};

ruolo ruolo_record(int n, const stazione& r) {
  if (n == 0) return {N_("never used"), "mai usato"};
  if (n >= record_progressiva_tre && n <= record_progressiva_uno)
    return {N_("kilometric progression"), "progressiva chilometrica"};
  if (n == record_treno) return {N_("train data"), "dati del treno"};
  if (n == record_linea) return {N_("line data"), "dati della linea"};
  if (n == record_nome_treno) return {N_("train"), "treno"};
  const bool solo_nome =
      r.tipo == 0 && r.inizio == 0 && r.fine == 0 && r.posizione == 0;
  if (solo_nome && !r.nome.empty())
    return {N_("board text"), "testo di cartello"};
  return {N_("station"), "stazione"};
}

bool record_vuoto(const stazione& r) { return r == stazione{}; }

// A station's time of day follows its `orario`; records 81 to 86 use that
// field for other things.
bool con_ora(int n, const stazione& r) {
  return n < record_progressiva_tre && r.orario != 0;
}

json stazione_json(int n, const stazione& r) {
  json j;
  j["record"] = n;
  j["ruolo"] = ruolo_record(n, r).dato;
  for (const campo<stazione>& f : campi_stazione) {
    const std::string nome(nome_del_campo(n, f));
    if (campo_di_testo(f)) {
      j[nome] = utf8(r.nome);
    } else {
      j[nome] = valore_numerico(f, r);
    }
  }
  if (con_ora(n, r)) j["ora"] = ora_del_giorno(r.orario);
  return j;
}

std::string stazione_testo(int n, const stazione& r) {
  std::string t = "record " + std::to_string(n) + " (" +
                  traduci(ruolo_record(n, r).testo) + ")";
  if (!r.nome.empty()) t += " \"" + utf8(r.nome) + "\"";
  const char* separatore = ": ";
  for (const campo<stazione>& f : campi_stazione) {
    if (campo_di_testo(f)) continue;  // shown in quotes above
    t += separatore + std::string(nome_del_campo(n, f)) + " " +
         std::to_string(valore_numerico(f, r));
    separatore = ", ";
  }
  if (con_ora(n, r) && !ora_del_giorno(r.orario).empty())
    t += " (" + ora_del_giorno(r.orario) + ")";
  return t;
}

// --- Cells -------------------------------------------------------------------

bool cella_con_contenuto(const cella& c) {
  return std::any_of(
      campi_elemento.begin(), campi_elemento.end(),
      [&c](const campo<cella>& f) { return valore_numerico(f, c) != 0; });
}

int64_t metro_di(std::size_t i, const cella& c) {
  return metro_della_cella(static_cast<int64_t>(i), aggancio_del_tipo(c.tipo));
}

// What a profile field's value means, after the value itself.
std::string unita(const campo<cella>& f, const cella& c) {
  if (f.dove == membro<cella>(&cella::velocita))
    return " (" + std::to_string(decodifica_velocita(c.velocita)) + " km/h)";
  if (f.dove == membro<cella>(&cella::pendenza))
    return " (" + std::to_string(decodifica_pendenza(c.pendenza)) +
           " per mille)";
  return "";
}

json cella_json(std::size_t i, const cella& c) {
  json j;
  j["cella"] = i;
  j["metro"] = metro_di(i, c);
  for (const campo<cella>& f : campi_cella) {
    j[std::string(f.nome)] = valore_numerico(f, c);
    if (f.dove == membro<cella>(&cella::tipo))
      j["tipo_testo"] = utf8(codice_tipo_cella(c.tipo));
  }
  return j;
}

std::string cella_testo(std::size_t i, const cella& c) {
  std::string t =
      sostituisci(traduci("cell {0} ({1} m)"),
                  {std::to_string(i), std::to_string(metro_di(i, c))}) +
      ": " + testo_di(nome_tipo_cella(c.tipo));
  for (const campo<cella>& f : campi_cella) {
    if (f.dove == membro<cella>(&cella::tipo)) continue;  // in words above
    t.append(", ").append(f.nome).append(" ");
    t.append(std::to_string(valore_numerico(f, c))).append(unita(f, c));
  }
  return t;
}

std::string intestazione_csv() {
  std::string t = "cella,metro";
  for (const campo<cella>& f : campi_cella) {
    t += "," + std::string(f.nome);
    if (f.dove == membro<cella>(&cella::tipo)) t += ",tipo_testo";
  }
  return t;
}

std::string cella_csv(std::size_t i, const cella& c) {
  std::string t = std::to_string(i) + "," + std::to_string(metro_di(i, c));
  for (const campo<cella>& f : campi_cella) {
    t += "," + std::to_string(valore_numerico(f, c));
    if (f.dove == membro<cella>(&cella::tipo))
      t += ",\"" + utf8(codice_tipo_cella(c.tipo)) + "\"";
  }
  return t;
}

// The cells to show: around a position, every one, or those with an item.
std::vector<std::size_t> celle_scelte(const std::vector<cella>& celle,
                                      const opzioni_ispeziona& o) {
  std::vector<std::size_t> scelte;
  if (o.metro) {
    const int64_t centro =
        static_cast<int64_t>(std::floor(*o.metro / double{metri_per_cella})) +
        1;
    for (int64_t i = centro - 5; i <= centro + 5; ++i) {
      if (i >= 0 && i < static_cast<int64_t>(celle.size()))
        scelte.push_back(static_cast<std::size_t>(i));
    }
    return scelte;
  }
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (o.tutto || o.csv || cella_con_contenuto(celle[i])) scelte.push_back(i);
  }
  return scelte;
}

// --- Plan ------------------------------------------------------------------

struct misure_piano {
  std::size_t interi = 0, doppi = 0, vuoti = 0;
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  double lunghezza =
      0;  // sum of the steps between metres that have coordinates
  int32_t ultimo_calcolato = -1;
};

bool ha_coordinate(const coordinate_piano& p, std::size_t m) {
  return p.tipo(0, m) != tipo_variante::vuoto &&
         p.tipo(1, m) != tipo_variante::vuoto;
}

misure_piano misura(const coordinate_piano& p) {
  misure_piano m;
  bool primo = true;
  for (std::size_t i = 0; i < static_cast<std::size_t>(p.ultimo_metro() + 1);
       ++i) {
    for (int asse = 0; asse < 2; ++asse) {
      switch (p.tipo(asse, i)) {
        case tipo_variante::vuoto:
          ++m.vuoti;
          break;
        case tipo_variante::intero:
          ++m.interi;
          break;
        case tipo_variante::doppio:
          ++m.doppi;
          break;
      }
    }
    if (!ha_coordinate(p, i)) continue;
    const double x = p.valore(0, i), y = p.valore(1, i);
    if (primo) {
      m.x_min = m.x_max = x;
      m.y_min = m.y_max = y;
      primo = false;
    }
    m.x_min = std::min(m.x_min, x);
    m.x_max = std::max(m.x_max, x);
    m.y_min = std::min(m.y_min, y);
    m.y_max = std::max(m.y_max, y);
    if (i > 0 && ha_coordinate(p, i - 1)) {
      m.lunghezza += std::hypot(x - p.valore(0, i - 1), y - p.valore(1, i - 1));
    }
    m.ultimo_calcolato = static_cast<int32_t>(i);
  }
  return m;
}

std::vector<std::size_t> metri_campione(const coordinate_piano& p, bool tutto) {
  std::vector<std::size_t> metri;
  const auto quanti = static_cast<std::size_t>(p.ultimo_metro() + 1);
  const std::size_t passo = tutto ? 1 : std::max<std::size_t>(1, quanti / 20);
  for (std::size_t m = 0; m < quanti; m += passo) metri.push_back(m);
  if (!tutto && quanti > 0 && metri.back() != quanti - 1)
    metri.push_back(quanti - 1);
  return metri;
}

// --- One file ----------------------------------------------------------------

// The plan as JSON: its measures and a sample of its points.
void piano_in_json(const coordinate_piano& p, const misure_piano& m,
                   const std::vector<std::size_t>& campione, json_a_flusso& j) {
  j.chiave("tipo").valore("geometria");
  j.chiave("ultimo_metro").valore(p.ultimo_metro());
  j.chiave("ultimo_metro_calcolato").valore(m.ultimo_calcolato);
  j.chiave("elementi")
      .valore({{"interi", m.interi}, {"doppi", m.doppi}, {"vuoti", m.vuoti}});
  j.chiave("limiti").valore({{"x_min", m.x_min},
                             {"x_max", m.x_max},
                             {"y_min", m.y_min},
                             {"y_max", m.y_max}});
  j.chiave("lunghezza_tracciato").valore(m.lunghezza);
  j.chiave("punti").apri_array();
  for (std::size_t metro : campione) {
    json punto = {{"metro", metro}};
    for (int asse = 0; asse < 2; ++asse) {
      const char* nome = asse == 0 ? "x" : "y";
      if (p.tipo(asse, metro) == tipo_variante::vuoto) {
        punto[nome] = nullptr;
      } else {
        punto[nome] = p.valore(asse, metro);
      }
    }
    j.valore(punto);
  }
  j.chiudi();
}

// The sampled points of the plan, one line each.
void mostra_punti_piano(const coordinate_piano& p,
                        const std::vector<std::size_t>& campione,
                        std::ostream& uscita) {
  uscita << "  " << traduci("points:") << '\n';
  const std::string vuoto = traduci_in("a plan's element", "empty");
  for (std::size_t metro : campione) {
    std::string xy[2];
    for (int asse = 0; asse < 2; ++asse) {
      xy[asse] = p.tipo(asse, metro) == tipo_variante::vuoto
                     ? vuoto
                     : numero_breve(p.valore(asse, metro));
    }
    uscita << "    "
           << sostituisci(traduci("metre {0}: x {1}, y {2}"),
                          {std::to_string(metro), xy[0], xy[1]})
           << '\n';
  }
}

void mostra_piano(const std::string& via, std::size_t n_byte,
                  const coordinate_piano& p, const opzioni_ispeziona& o,
                  std::ostream& uscita, json_a_flusso& j) {
  const misure_piano m = misura(p);
  const std::vector<std::size_t> campione = metri_campione(p, o.tutto);
  if (o.json) return piano_in_json(p, m, campione, j);
  uscita << sostituisci(traduci("{0}: line plan, metres 0..{1}, {2}"),
                        {visibile(via), std::to_string(p.ultimo_metro()),
                         quanti_byte(n_byte)})
         << '\n';
  uscita << "  "
         << sostituisci(
                traduci("elements: {0} integers, {1} doubles, {2} "
                        "empty; coordinates up to metre {3}"),
                {std::to_string(m.interi), std::to_string(m.doppi),
                 std::to_string(m.vuoti), std::to_string(m.ultimo_calcolato)})
         << '\n';
  uscita << "  "
         << sostituisci(traduci("x from {0} to {1}, y from {2} to {3}"),
                        {numero_breve(m.x_min), numero_breve(m.x_max),
                         numero_breve(m.y_min), numero_breve(m.y_max)})
         << '\n';
  uscita << "  "
         << sostituisci(traduci("length of the plan: {0} m"),
                        {numero_breve(m.lunghezza)})
         << '\n';
  mostra_punti_piano(p, campione, uscita);
}

void mostra_stazioni(const std::string& via, std::size_t n_byte,
                     const tabella_stazioni& t, const opzioni_ispeziona& o,
                     std::ostream& uscita, json_a_flusso& j) {
  if (o.json) {
    j.chiave("tipo").valore("stazioni");
    j.chiave("record").apri_array();
  } else {
    uscita << sostituisci(
                  traduci("{0}: station table, {1}, {2}"),
                  {visibile(via),
                   conteggio(traduci_plurale("{0} record", "{0} records",
                                             numero_stazioni),
                             numero_stazioni),
                   quanti_byte(n_byte)})
           << '\n';
  }
  for (int n = 0; n < numero_stazioni; ++n) {
    const stazione& r = t[static_cast<std::size_t>(n)];
    if (!o.tutto && record_vuoto(r)) continue;
    if (o.json) {
      j.valore(stazione_json(n, r));
    } else {
      uscita << "  " << visibile(stazione_testo(n, r)) << '\n';
    }
  }
  if (o.json) j.chiudi();
}

void mostra_celle(const std::string& via, std::size_t n_byte,
                  const std::vector<cella>& celle, const opzioni_ispeziona& o,
                  std::ostream& uscita, json_a_flusso& j) {
  const std::vector<std::size_t> scelte = celle_scelte(celle, o);
  if (o.csv) {
    uscita << intestazione_csv() << '\n';
    for (std::size_t i : scelte) uscita << cella_csv(i, celle[i]) << '\n';
    return;
  }
  if (o.json) {
    j.chiave("tipo").valore("celle");
    j.chiave("ultima_cella").valore(celle.size() - 1);
    j.chiave("celle").apri_array();
  } else {
    uscita << sostituisci(
                  traduci("{0}: table of cells, {1} (0..{2}), {3}"),
                  {visibile(via),
                   conteggio(
                       traduci_plurale("{0} cell", "{0} cells", celle.size()),
                       celle.size()),
                   std::to_string(celle.size() - 1), quanti_byte(n_byte)})
           << '\n';
  }
  for (std::size_t i : scelte) {
    if (o.json) {
      j.valore(cella_json(i, celle[i]));
    } else {
      uscita << "  " << cella_testo(i, celle[i]) << '\n';
    }
  }
  if (o.json) j.chiudi();
}

// One file decoded by its kind: the table that its bytes hold.
struct file_decodificato {
  tipo_file tipo;
  std::string via;
  std::size_t byte = 0;
  tabella_stazioni stazioni;
  std::vector<cella> celle;
  coordinate_piano piano;
};

bool decodifica(const file_letto& f, tipo_file tipo, file_decodificato& d,
                errore_decodifica& e) {
  d.tipo = tipo;
  d.via = f.percorso;
  d.byte = f.lettore ? f.lettore->dimensione() : f.dati.size();
  switch (tipo) {
    case tipo_file::stazioni:
      return decodifica_stazioni(f.dati, d.stazioni, e);
    case tipo_file::celle:
      return decodifica_celle(f.dati, d.celle, e);
    case tipo_file::geometria:
      if (f.lettore) return decodifica_piano(f.lettore, d.piano, e);
      return decodifica_piano(f.dati, d.piano, e);
    case tipo_file::sconosciuto:
      break;
  }
  return false;
}

void mostra_tipo(const file_decodificato& d, const opzioni_ispeziona& o,
                 std::ostream& uscita, json_a_flusso& j) {
  switch (d.tipo) {
    case tipo_file::stazioni:
      return mostra_stazioni(d.via, d.byte, d.stazioni, o, uscita, j);
    case tipo_file::celle:
      return mostra_celle(d.via, d.byte, d.celle, o, uscita, j);
    case tipo_file::geometria:
      return mostra_piano(d.via, d.byte, d.piano, o, uscita, j);
    case tipo_file::sconosciuto:
      break;
  }
}

// One file shown; with --json, its object in the document's array.
void mostra(const file_decodificato& d, const opzioni_ispeziona& o,
            std::ostream& uscita, json_a_flusso& j) {
  if (o.json) {
    j.apri_oggetto();
    j.chiave("file").valore(d.via);
  }
  mostra_tipo(d, o, uscita, j);
  if (o.json) j.chiudi();
}

// The kind of a file named on the command line; an unknown name, or --csv
// for anything but cells, is a usage error (status 64).
int controlla_tipo(const std::string& via, const opzioni_ispeziona& o,
                   std::ostream& errori) {
  const tipo_file tipo = riconosci(via);
  if (tipo == tipo_file::sconosciuto) {
    errori << sostituisci(traduci("{0}: file not recognised (names expected: "
                                  "*_linea.dat, *.sim, *.dat)"),
                          {visibile(via)})
           << '\n';
    return uscita_uso_errato;
  }
  if (o.csv && tipo != tipo_file::celle) {
    errori << sostituisci(
                  traduci(
                      "{0}: --csv holds only for the table of cells (*.dat)"),
                  {visibile(via)})
           << '\n';
    return uscita_uso_errato;
  }
  return uscita_riuscita;
}

// The files decoded, at most one of each kind, checked against each other.
// Returns the exit status of the check.
int controlla_coerenza(const std::vector<file_decodificato>& decodificati,
                       std::ostream& errori) {
  insieme_decodificato insieme;
  const file_decodificato* per_tipo[3] = {nullptr, nullptr, nullptr};
  for (const file_decodificato& d : decodificati) {
    const auto k = static_cast<std::size_t>(d.tipo);
    // Two files of one kind are not one scenario's set: nothing to check.
    if (per_tipo[k] != nullptr) return uscita_riuscita;
    per_tipo[k] = &d;
  }
  const auto di = [&](tipo_file t) { return per_tipo[static_cast<int>(t)]; };
  if (di(tipo_file::stazioni))
    insieme.stazioni = &di(tipo_file::stazioni)->stazioni;
  if (di(tipo_file::celle)) insieme.celle = &di(tipo_file::celle)->celle;
  if (di(tipo_file::geometria))
    insieme.piano = &di(tipo_file::geometria)->piano;
  const std::optional<incoerenza> i = controlla_insieme(insieme);
  if (!i) return uscita_riuscita;
  const tipo_file colpevole[] = {tipo_file::geometria, tipo_file::stazioni,
                                 tipo_file::celle};
  return errore_incoerenza_file(di(colpevole[static_cast<int>(i->file)])->via,
                                *i, errori);
}

}  // namespace

int ispeziona_letti(const std::vector<file_letto>& file,
                    const opzioni_ispeziona& o, std::ostream& uscita,
                    std::ostream& errori) {
  int esito = uscita_riuscita;
  std::vector<file_decodificato> decodificati;
  for (const file_letto& f : file) {
    const int tipo = controlla_tipo(f.percorso, o, errori);
    esito = std::max(esito, tipo);
    if (tipo != uscita_riuscita) continue;
    file_decodificato d;
    errore_decodifica e;
    if (decodifica(f, riconosci(f.percorso), d, e)) {
      decodificati.push_back(std::move(d));
    } else {
      esito = std::max(esito, errore_decodifica_file(f.percorso, e, errori));
    }
  }
  esito = std::max(esito, controlla_coerenza(decodificati, errori));
  // The JSON document is written as each file is walked: the cells of a long
  // route are never held as one document. A path or a name need not be
  // UTF-8: what is not becomes U+FFFD.
  json_a_flusso documenti(uscita);
  if (o.json) documenti.apri_array();
  for (const file_decodificato& d : decodificati)
    mostra(d, o, uscita, documenti);
  if (o.json) {
    documenti.chiudi();
    uscita << '\n';
  }
  return esito;
}

int esegui_ispeziona(const opzioni_ispeziona& o, std::ostream& uscita,
                     std::ostream& errori) {
  int esito = uscita_riuscita;
  std::vector<file_letto> letti;
  // The files of one folder are read as one run's set: a compile waits
  // meanwhile. What is shown is shown after the folders are free again.
  std::vector<lettura_cartella> letture;
  const esito_file tenute = blocca_lettura_percorsi(
      o.file, attesa_con_avviso(o.attesa_blocco, errori), letture);
  if (!tenute.ok) return errore_file(tenute, errori);
  for (const std::string& via : o.file) {
    const int tipo = controlla_tipo(via, o, errori);
    esito = std::max(esito, tipo);
    if (tipo != uscita_riuscita) continue;
    file_letto f{via, {}, {}};
    // The plan, the one large file, is read as it is walked.
    const esito_file letto = riconosci(via) == tipo_file::geometria
                                 ? apri_percorso(via, f.lettore)
                                 : leggi_percorso(via, f.dati);
    if (letto.ok) {
      letti.push_back(std::move(f));
    } else {
      esito = std::max(esito, errore_file(letto, errori));
    }
  }
  letture.clear();
  return std::max(esito, ispeziona_letti(letti, o, uscita, errori));
}
