#include <string>

#include "decompiler/passi.h"
#include "tables/campi.h"

void resoconto::segnala(voce_inspiegata::tabella dove, int32_t indice,
                        messaggio trovato, argomento piu_vicina) {
  segnalazioni.push_back(
      {{dove, indice, std::move(trovato), std::move(piu_vicina)}, false});
}

void resoconto::segnala_cella(const tabelle_lette& t, int32_t i,
                              argomento piu_vicina) {
  segnalazioni.push_back({{voce_inspiegata::tabella::celle, i,
                           descrivi_cella(t.c(i)), std::move(piu_vicina)},
                          true});
}

std::string cella_e_metro(int32_t cella, aggancio a) {
  return "cella " + std::to_string(cella) + " (" +
         std::to_string(metro_della_cella(cella, a)) + " m)";
}

std::string riga_valori(std::string_view parola,
                        std::initializer_list<int64_t> valori) {
  std::string riga(parola);
  for (int64_t v : valori) riga += ", " + std::to_string(v);
  return riga;
}

bool campo_testo(const std::string& testo, std::string& campo) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool da_citare =
      !testo.empty() &&
      (blank(testo.front()) || blank(testo.back()) || testo.front() == '"' ||
       testo.find_first_of(",\r\n") != std::string::npos);
  if (!da_citare) {
    campo = testo;
    return true;
  }
  if (testo.find('"') != std::string::npos) return false;
  campo = "\"" + testo + "\"";
  return true;
}

std::string riga_commento(std::string_view testo) {
  std::string riga = "- ";
  for (char c : testo) riga += c == ',' ? ';' : c;
  return riga;
}

messaggio descrivi_cella(const cella& c) {
  // The fields by their names, which are the data's words.
  messaggio m{N_("{0} (tipo {1}; dato1 to dato4 {2} {3} {4} {5}; tempo {6}; "
                 "avvicinamento {7})"),
              {nome_tipo_cella(c.tipo)}};
  for (const campo<cella>& f : campi_elemento)
    m.argomenti.push_back(std::to_string(valore_numerico(f, c)));
  return m;
}
