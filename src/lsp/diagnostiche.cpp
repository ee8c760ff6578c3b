#include "lsp/diagnostiche.h"

#include <algorithm>
#include <charconv>

#include "cli/lingua.h"
#include "cli/rapporto.h"
#include "core/testi.h"
#include "platform/cp1252.h"

namespace {

bool del_file(const problema& p, fonte_lettura fonte) {
  const fonte_lettura sua = p.fonte == fonte_lettura::descrizione_treno
                                ? fonte_lettura::descrizione_treno
                                : fonte_lettura::descrizione_linea;
  return sua == fonte;
}

// The value that a problem about a position is about, when the check points
// at the keyword of its line: the field that holds that number.
std::size_t campo_del_metro(std::string_view linea, std::size_t inizio,
                            int32_t metro) {
  for (std::size_t p = linea.find(',', inizio); p != std::string_view::npos;
       p = linea.find(',', p + 1)) {
    std::size_t a = p + 1;
    while (a < linea.size() && (linea[a] == ' ' || linea[a] == '\t')) ++a;
    const std::size_t b = fine_del_campo(linea, a);
    int32_t n = 0;
    const auto [q, e] = std::from_chars(linea.data() + a, linea.data() + b, n);
    if (e == std::errc() && q == linea.data() + b && b > a && n == metro)
      return a;
  }
  return inizio;
}

nlohmann::json intervallo_del_problema(const problema& p,
                                       std::string_view testo,
                                       bool colonne_in_byte,
                                       unita_posizione u) {
  const int riga = std::max(p.riga - 1, 0);
  const std::string_view linea = riga_di(testo, riga);
  const std::size_t punto =
      static_cast<std::size_t>(std::max(p.colonna - 1, 0));
  std::size_t inizio = colonne_in_byte ? std::min(punto, linea.size())
                                       : byte_del_punto(linea, punto);
  if (p.metro && p.colonna > 0 && !p.parola.empty() &&
      linea.substr(inizio, p.parola.size()) == cp1252_a_utf8(p.parola))
    inizio = campo_del_metro(linea, inizio, *p.metro);
  const std::size_t fine = fine_del_campo(linea, inizio);
  return intervallo(riga, carattere_di(linea, inizio, u), riga,
                    carattere_di(linea, fine, u));
}

// Where the item of an occupied cell stands, in either file.
nlohmann::json occupante(const luogo_lettura& l,
                         const file_della_coppia (&file)[2],
                         unita_posizione u) {
  const file_della_coppia& f =
      file[l.fonte == fonte_lettura::descrizione_treno ? 1 : 0];
  problema dove;
  dove.riga = l.riga;
  dove.colonna = l.colonna;
  return {{"location",
           {{"uri", f.uri},
            {"range", intervallo_del_problema(dove, f.testo, false, u)}}},
          {"message",
           sostituisci(traduci("{0} (line {1})"),
                       {cp1252_a_utf8(l.parola), std::to_string(l.riga)})}};
}

nlohmann::json diagnostica_lsp(const problema& p, std::string_view testo,
                               bool colonne_in_byte, unita_posizione u) {
  nlohmann::json d;
  d["range"] = intervallo_del_problema(p, testo, colonne_in_byte, u);
  d["severity"] = p.g == gravita::errore ? 1 : 2;
  if (p.codice != 0) d["code"] = p.codice;
  d["source"] = "scenario_builder";
  std::string testo_messaggio = testo_di(p.testo);
  if (p.registrato) testo_messaggio += " " + std::string(traduci("[recorded]"));
  if (!p.suggerimento.empty()) {
    testo_messaggio += " " + sostituisci(traduci("(maybe \"{0}\"?)"),
                                         {cp1252_a_utf8(p.suggerimento)});
  }
  d["message"] = testo_messaggio;
  nlohmann::json dati;
  dati["registrato"] = p.registrato;
  dati["suggerimento"] = cp1252_a_utf8(p.suggerimento);
  dati["parola"] = cp1252_a_utf8(p.parola);
  if (p.metro) dati["metro"] = *p.metro;
  d["data"] = dati;
  return d;
}

// Reserved content in cell 1 or record 85 stops the build: said at the top of
// the line description, as the command line says it last.
nlohmann::json diagnostica_fatale(const esito_verifica& v) {
  nlohmann::json d;
  d["range"] = intervallo(0, 0, 0, 0);
  d["severity"] = 1;
  d["source"] = "scenario_builder";
  d["message"] = parola_errore_fatale() + " " + v.esito.codice;
  return d;
}

}  // namespace

std::size_t fine_del_campo(std::string_view riga, std::size_t inizio) {
  if (inizio >= riga.size()) return riga.size();
  std::size_t fine = inizio;
  if (riga[inizio] == '"') {
    const std::size_t chiusa = riga.find('"', inizio + 1);
    return chiusa == std::string_view::npos ? riga.size() : chiusa + 1;
  }
  const char c = riga[inizio];
  const bool numero = (c >= '0' && c <= '9') || c == '-' || c == '+';
  while (fine < riga.size() && riga[fine] != ',' &&
         !(numero && (riga[fine] == ' ' || riga[fine] == '\t')))
    ++fine;
  while (fine > inizio && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t'))
    --fine;
  return fine;
}

nlohmann::json intervallo(int riga_da, int car_da, int riga_a, int car_a) {
  return {{"start", {{"line", riga_da}, {"character", car_da}}},
          {"end", {{"line", riga_a}, {"character", car_a}}}};
}

nlohmann::json diagnostiche_del_file(const esito_verifica& v,
                                     fonte_lettura fonte,
                                     const file_della_coppia (&file)[2],
                                     unita_posizione u) {
  nlohmann::json lista = nlohmann::json::array();
  const int quale = fonte == fonte_lettura::descrizione_treno ? 1 : 0;
  const std::size_t mostrati = std::min(v.problemi.size(), problemi_mostrati);
  for (std::size_t i = 0; i < mostrati; ++i) {
    const problema& p = v.problemi[i];
    if (!del_file(p, fonte)) continue;
    lista.push_back(diagnostica_lsp(p, file[quale].testo, v.in_utf8[quale], u));
    if (p.occupante &&
        !file[p.occupante->fonte == fonte_lettura::descrizione_treno]
             .uri.empty())
      // push_back, not "= {x}": a braced single json is copied by clang and
      // wrapped in an array by g++.
      lista.back()["relatedInformation"].push_back(
          occupante(*p.occupante, file, u));
  }
  if (v.esito.tipo == esito_compilazione::fatale &&
      fonte == fonte_lettura::descrizione_linea)
    lista.push_back(diagnostica_fatale(v));
  return lista;
}
