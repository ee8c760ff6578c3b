#include "core/scenario.h"

#include "platform/cp1252.h"

namespace {

std::string linea_treno(const scenario& s) {
  return s.radice_linea + "_" + s.radice_treno;
}

// A control character: C0, DEL, or C1 (U+0080 to U+009F, C2 80 to C2 9F in
// UTF-8).
bool con_controllo(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x20 || c == 0x7F) return true;
    if (c == 0xC2 && i + 1 < utf8.size() &&
        static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
      return true;
    }
  }
  return false;
}

// A name is one part of a file name in the folder it names: no separator of
// either system, no way up to the parent folder, nothing that a terminal
// would take for a command.
bool valido_per_file(std::string_view utf8) {
  return utf8.find_first_of("/\\") == std::string_view::npos &&
         utf8.find("..") == std::string_view::npos && !con_controllo(utf8);
}

nome_rifiutato controlla_nome(std::string_view utf8, std::string& cp1252) {
  if (utf8.empty()) return nome_rifiutato::vuoto;
  if (!valido_per_file(utf8)) return nome_rifiutato::non_valido_per_file;
  if (utf8.front() == '.') return nome_rifiutato::inizia_con_punto;
  if (!utf8_a_cp1252(utf8, cp1252)) return nome_rifiutato::non_rappresentabile;
  return nome_rifiutato::nessuno;
}

}  // namespace

std::string nome_descrizione_linea(const scenario& s) {
  return s.radice_linea + "_linea.txt";
}
std::string nome_descrizione_treno(const scenario& s) {
  return linea_treno(s) + "-.txt";
}
std::string nome_note(const scenario& s) {
  return linea_treno(s) + "_note.txt";
}
std::string nome_rallentamenti(const scenario& s) {
  return linea_treno(s) + "_rallentamenti.txt";
}
std::string nome_scheda_treno(const scenario& s) {
  return linea_treno(s) + "_scheda_treno.txt";
}
std::string nome_geometria_linea(const scenario& s) {
  return s.radice_linea + "_linea.dat";
}
std::string nome_tabella_stazioni(const scenario& s) {
  return linea_treno(s) + ".sim";
}
std::string nome_tabella_celle(const scenario& s) {
  return linea_treno(s) + ".dat";
}
std::string nome_pagina(const scenario& s) {
  return linea_treno(s) + "_report.html";
}

esito_nomi scenario_da_nomi(std::string_view linea, std::string_view treno,
                            scenario& s) {
  const std::pair<std::string_view, std::string*> nomi[] = {
      {linea, &s.nome_linea}, {treno, &s.nome_treno}};
  for (auto [dato, destinazione] : nomi) {
    const nome_rifiutato motivo = controlla_nome(dato, *destinazione);
    if (motivo != nome_rifiutato::nessuno)
      return {motivo, std::string(dato), destinazione == &s.nome_treno};
  }
  s.radice_linea = linea;
  s.radice_treno = treno;
  return {};
}
