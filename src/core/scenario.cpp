#include "core/scenario.h"

#include "platform/cp1252.h"

namespace {

std::string linea_treno(const scenario& s) {
  return s.radice_linea + "_" + s.radice_treno;
}

nome_rifiutato controlla_nome(std::string_view utf8, std::string& cp1252) {
  if (!utf8_a_cp1252(utf8, cp1252)) return nome_rifiutato::non_rappresentabile;
  if (utf8.find('/') != std::string_view::npos ||
      utf8.find('\0') != std::string_view::npos) {
    return nome_rifiutato::non_valido_per_file;
  }
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
    if (motivo != nome_rifiutato::nessuno) return {motivo, std::string(dato)};
  }
  s.radice_linea = linea;
  s.radice_treno = treno;
  return {};
}
