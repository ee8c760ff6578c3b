#include "app/strumenti_ispeziona.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/esiti.h"
#include "compiler/decodifica.h"
#include "platform/cartella_reale.h"
#include "platform/cp1252.h"

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

std::string numero(double x) {
  char testo[64];
  std::snprintf(testo, sizeof testo, "%.6g", x);
  return testo;
}

// "09:57:00" for a time of day in seconds; empty for a value that is not one.
std::string ora(int32_t secondi) {
  if (secondi < 0) return "";
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600,
                secondi / 60 % 60, secondi % 60);
  return testo;
}

// --- Station table
// ---------------------------------------------------------------------------

std::string ruolo_record(int n, const stazione& r) {
  if (n == 0) return "mai usato";
  if (n >= record_progressiva_tre && n <= record_progressiva_uno)
    return "progressiva chilometrica";
  if (n == record_treno) return "dati del treno";
  if (n == record_linea) return "dati della linea";
  if (n == record_nome_treno) return "treno";
  const bool solo_nome =
      r.tipo == 0 && r.inizio == 0 && r.fine == 0 && r.posizione == 0;
  return solo_nome && !r.nome.empty() ? "testo di cartello" : "stazione";
}

bool record_vuoto(const stazione& r) { return r == stazione{}; }

json stazione_json(int n, const stazione& r) {
  json j;
  j["record"] = n;
  j["ruolo"] = ruolo_record(n, r);
  j["tipo"] = r.tipo;
  j["inizio"] = r.inizio;
  j["fine"] = r.fine;
  j["posizione"] = r.posizione;
  j["campo4"] = r.campo4;
  j["nome"] = utf8(r.nome);
  j["campo7"] = r.campo7;
  j["campo8"] = r.campo8;
  j["campo10"] = r.campo10;
  j["campo11"] = r.campo11;
  j["campo12"] = r.campo12;
  j["campo9"] = r.campo9;
  j["campo13"] = r.campo13;
  j["campo6"] = r.campo6;
  j["campo5"] = r.campo5;
  j["orario"] = r.orario;
  if (r.orario != 0) j["ora"] = ora(r.orario);
  return j;
}

std::string stazione_testo(int n, const stazione& r) {
  std::string t =
      "record " + std::to_string(n) + " (" + ruolo_record(n, r) + ")";
  if (!r.nome.empty()) t += " \"" + utf8(r.nome) + "\"";
  t += ": tipo " + std::to_string(r.tipo) + ", inizio " +
       std::to_string(r.inizio) + ", fine " + std::to_string(r.fine) +
       ", posizione " + std::to_string(r.posizione) + ", campo4 " +
       std::to_string(r.campo4) + ", campo5 " + std::to_string(r.campo5) +
       ", campo6 " + std::to_string(r.campo6) + ", campo7 " +
       std::to_string(r.campo7) + ", campo8 " + std::to_string(r.campo8) +
       ", campo9 " + std::to_string(r.campo9) + ", campo10 " +
       std::to_string(r.campo10) + ", campo11 " + std::to_string(r.campo11) +
       ", campo12 " + std::to_string(r.campo12) + ", campo13 " +
       std::to_string(r.campo13) + ", orario " + std::to_string(r.orario);
  if (r.orario != 0 && !ora(r.orario).empty()) t += " (" + ora(r.orario) + ")";
  return t;
}

// --- Cells
// -----------------------------------------------------------------------------------

bool cella_con_contenuto(const cella& c) {
  return c.tipo != 0 || c.dato1 != 0 || c.dato2 != 0 || c.dato3 != 0 ||
         c.dato4 != 0 || c.tempo != 0 || c.avvicinamento != 0;
}

json cella_json(std::size_t i, const cella& c) {
  json j;
  j["cella"] = i;
  j["metro"] = i * 50;
  j["tipo"] = c.tipo;
  j["tipo_testo"] = utf8(nome_tipo_cella(c.tipo));
  j["dato1"] = c.dato1;
  j["dato2"] = c.dato2;
  j["dato3"] = c.dato3;
  j["dato4"] = c.dato4;
  j["tempo"] = c.tempo;
  j["avvicinamento"] = c.avvicinamento;
  j["montagna"] = c.montagna;
  j["velocita"] = c.velocita;
  j["pendenza"] = c.pendenza;
  j["aderenza"] = c.aderenza;
  return j;
}

std::string cella_testo(std::size_t i, const cella& c) {
  return "cella " + std::to_string(i) + " (" + std::to_string(i * 50) +
         " m): " + utf8(nome_tipo_cella(c.tipo)) + ", dato1 " +
         std::to_string(c.dato1) + ", dato2 " + std::to_string(c.dato2) +
         ", dato3 " + std::to_string(c.dato3) + ", dato4 " +
         std::to_string(c.dato4) + ", tempo " + std::to_string(c.tempo) +
         ", avvicinamento " + std::to_string(c.avvicinamento) + ", montagna " +
         std::to_string(c.montagna) + ", velocita " +
         std::to_string(c.velocita) + " (" + std::to_string(c.velocita * 5) +
         " km/h), pendenza " + std::to_string(c.pendenza) + " (" +
         std::to_string(int{c.pendenza} - 100) + " per mille), aderenza " +
         std::to_string(c.aderenza);
}

const char* intestazione_csv =
    "cella,metro,tipo,tipo_testo,dato1,dato2,dato3,dato4,tempo,avvicinamento,"
    "montagna,velocita,"
    "pendenza,aderenza";

std::string cella_csv(std::size_t i, const cella& c) {
  std::string t = std::to_string(i) + "," + std::to_string(i * 50) + "," +
                  std::to_string(c.tipo) + ",\"" +
                  utf8(nome_tipo_cella(c.tipo)) + "\"";
  for (int v : {int{c.dato1}, int{c.dato2}, int{c.dato3}, int{c.dato4},
                int{c.tempo}, int{c.avvicinamento}, int{c.montagna},
                int{c.velocita}, int{c.pendenza}, int{c.aderenza}}) {
    t += "," + std::to_string(v);
  }
  return t;
}

// The cells to show: around a position, every one, or those with an item.
std::vector<std::size_t> celle_scelte(const std::vector<cella>& celle,
                                      const opzioni_ispeziona& o) {
  std::vector<std::size_t> scelte;
  if (o.metro) {
    // Cell i covers the 50 metres that end at metre 50 i.
    const long centro = static_cast<long>(std::ceil(*o.metro / 50.0));
    for (long i = centro - 5; i <= centro + 5; ++i) {
      if (i >= 0 && i < static_cast<long>(celle.size()))
        scelte.push_back(static_cast<std::size_t>(i));
    }
    return scelte;
  }
  for (std::size_t i = 0; i < celle.size(); ++i) {
    if (o.tutto || o.csv || cella_con_contenuto(celle[i])) scelte.push_back(i);
  }
  return scelte;
}

// --- Plan
// ------------------------------------------------------------------------------------

struct misure_piano {
  std::size_t interi = 0, doppi = 0, vuoti = 0;
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  double lunghezza =
      0;  // sum of the steps between metres that have coordinates
  int32_t ultimo_calcolato = -1;
};

bool ha_coordinate(const coordinate_piano& p, std::size_t m) {
  return p.tipo[0][m] != tipo_variante::vuoto &&
         p.tipo[1][m] != tipo_variante::vuoto;
}

misure_piano misura(const coordinate_piano& p) {
  misure_piano m;
  bool primo = true;
  for (std::size_t i = 0; i < p.tipo[0].size(); ++i) {
    for (int asse = 0; asse < 2; ++asse) {
      switch (p.tipo[asse][i]) {
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
    const double x = p.valore[0][i], y = p.valore[1][i];
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
      m.lunghezza += std::hypot(x - p.valore[0][i - 1], y - p.valore[1][i - 1]);
    }
    m.ultimo_calcolato = static_cast<int32_t>(i);
  }
  return m;
}

std::vector<std::size_t> metri_campione(const coordinate_piano& p, bool tutto) {
  std::vector<std::size_t> metri;
  const std::size_t quanti = p.tipo[0].size();
  const std::size_t passo = tutto ? 1 : std::max<std::size_t>(1, quanti / 20);
  for (std::size_t m = 0; m < quanti; m += passo) metri.push_back(m);
  if (!tutto && quanti > 0 && metri.back() != quanti - 1)
    metri.push_back(quanti - 1);
  return metri;
}

// --- One file
// --------------------------------------------------------------------------------

struct risultato_file {
  int uscita = uscita_riuscita;
  json documento;
};

void mostra_stazioni(const std::string& via, std::size_t byte,
                     const tabella_stazioni& t, const opzioni_ispeziona& o,
                     std::ostream& uscita, json& j) {
  j["tipo"] = "stazioni";
  j["record"] = json::array();
  if (!o.json) {
    uscita << via << ": tabella delle stazioni, " << numero_stazioni
           << " record, " << byte << " byte\n";
  }
  for (int n = 0; n < numero_stazioni; ++n) {
    const stazione& r = t[static_cast<std::size_t>(n)];
    if (!o.tutto && record_vuoto(r)) continue;
    if (o.json) {
      j["record"].push_back(stazione_json(n, r));
    } else {
      uscita << "  " << stazione_testo(n, r) << '\n';
    }
  }
}

void mostra_celle(const std::string& via, std::size_t byte,
                  const std::vector<cella>& celle, const opzioni_ispeziona& o,
                  std::ostream& uscita, json& j) {
  const std::vector<std::size_t> scelte = celle_scelte(celle, o);
  if (o.csv) {
    uscita << intestazione_csv << '\n';
    for (std::size_t i : scelte) uscita << cella_csv(i, celle[i]) << '\n';
    return;
  }
  j["tipo"] = "celle";
  j["ultima_cella"] = celle.size() - 1;
  j["celle"] = json::array();
  if (!o.json) {
    uscita << via << ": tabella delle celle, " << celle.size() << " celle (0.."
           << celle.size() - 1 << "), " << byte << " byte\n";
  }
  for (std::size_t i : scelte) {
    if (o.json) {
      j["celle"].push_back(cella_json(i, celle[i]));
    } else {
      uscita << "  " << cella_testo(i, celle[i]) << '\n';
    }
  }
}

void mostra_piano(const std::string& via, std::size_t byte,
                  const coordinate_piano& p, const opzioni_ispeziona& o,
                  std::ostream& uscita, json& j) {
  const misure_piano m = misura(p);
  const std::vector<std::size_t> campione = metri_campione(p, o.tutto);
  if (o.json) {
    j["tipo"] = "geometria";
    j["ultimo_metro"] = p.ultimo_metro();
    j["ultimo_metro_calcolato"] = m.ultimo_calcolato;
    j["elementi"] = {
        {"interi", m.interi}, {"doppi", m.doppi}, {"vuoti", m.vuoti}};
    j["limiti"] = {{"x_min", m.x_min},
                   {"x_max", m.x_max},
                   {"y_min", m.y_min},
                   {"y_max", m.y_max}};
    j["lunghezza_tracciato"] = m.lunghezza;
    j["punti"] = json::array();
    for (std::size_t metro : campione) {
      json punto = {{"metro", metro}};
      for (int asse = 0; asse < 2; ++asse) {
        const char* nome = asse == 0 ? "x" : "y";
        if (p.tipo[asse][metro] == tipo_variante::vuoto) {
          punto[nome] = nullptr;
        } else {
          punto[nome] = p.valore[asse][metro];
        }
      }
      j["punti"].push_back(punto);
    }
    return;
  }
  uscita << via << ": geometria della linea, metri 0.." << p.ultimo_metro()
         << ", " << byte << " byte\n";
  uscita << "  elementi: " << m.interi << " interi, " << m.doppi << " doppi, "
         << m.vuoti << " vuoti; coordinate fino al metro " << m.ultimo_calcolato
         << '\n';
  uscita << "  x da " << numero(m.x_min) << " a " << numero(m.x_max)
         << ", y da " << numero(m.y_min) << " a " << numero(m.y_max) << '\n';
  uscita << "  lunghezza del tracciato: " << numero(m.lunghezza) << " m\n";
  uscita << "  punti:\n";
  for (std::size_t metro : campione) {
    uscita << "    metro " << metro << ":";
    for (int asse = 0; asse < 2; ++asse) {
      uscita << (asse == 0 ? " x " : ", y ");
      uscita << (p.tipo[asse][metro] == tipo_variante::vuoto
                     ? "vuoto"
                     : numero(p.valore[asse][metro]));
    }
    uscita << '\n';
  }
}

risultato_file ispeziona_file(const std::string& via,
                              const opzioni_ispeziona& o, std::ostream& uscita,
                              std::ostream& errori) {
  risultato_file r;
  r.documento["file"] = via;
  const tipo_file tipo = riconosci(via);
  if (tipo == tipo_file::sconosciuto) {
    errori
        << via
        << ": file non riconosciuto (nomi attesi: *_linea.dat, *.sim, *.dat)\n";
    r.uscita = uscita_uso_errato;
    return r;
  }
  if (o.csv && tipo != tipo_file::celle) {
    errori << via << ": --csv vale solo per la tabella delle celle (*.dat)\n";
    r.uscita = uscita_uso_errato;
    return r;
  }
  std::string dati;
  const esito_file letto = leggi_percorso(via, dati);
  if (!letto.ok) {
    errori << letto.percorso << ": " << letto.motivo << '\n';
    r.uscita = uscita_errore_file;
    return r;
  }
  errore_decodifica e;
  bool decodificato = false;
  switch (tipo) {
    case tipo_file::stazioni: {
      tabella_stazioni t;
      decodificato = decodifica_stazioni(dati, t, e);
      if (decodificato)
        mostra_stazioni(via, dati.size(), t, o, uscita, r.documento);
      break;
    }
    case tipo_file::celle: {
      std::vector<cella> celle;
      decodificato = decodifica_celle(dati, celle, e);
      if (decodificato)
        mostra_celle(via, dati.size(), celle, o, uscita, r.documento);
      break;
    }
    case tipo_file::geometria: {
      coordinate_piano p;
      decodificato = decodifica_piano(dati, p, e);
      if (decodificato)
        mostra_piano(via, dati.size(), p, o, uscita, r.documento);
      break;
    }
    case tipo_file::sconosciuto:
      break;
  }
  if (!decodificato) {
    errori << via << ": errore di decodifica al byte " << e.offset << ": "
           << e.motivo << '\n';
    r.uscita = uscita_errore_file;
  }
  return r;
}

}  // namespace

int esegui_ispeziona(const opzioni_ispeziona& o, std::ostream& uscita,
                     std::ostream& errori) {
  int esito = uscita_riuscita;
  json documenti = json::array();
  for (const std::string& via : o.file) {
    risultato_file r = ispeziona_file(via, o, uscita, errori);
    esito = std::max(esito, r.uscita);
    if (o.json && r.uscita == uscita_riuscita)
      documenti.push_back(std::move(r.documento));
  }
  if (o.json) uscita << documenti.dump(2) << '\n';
  return esito;
}
