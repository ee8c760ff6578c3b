// The scenario's two names and the names of every file built from them.
#ifndef CORE_SCENARIO_H_
#define CORE_SCENARIO_H_

#include <string>
#include <string_view>

struct scenario {
  // The names as Windows-1252 bytes: they go into records 85 and 86.
  std::string nome_linea = "Valdora_Cesina";
  std::string nome_treno = "KT52806";
  // The stems of the file names, as the file system knows them; the same as
  // the names unless a caller gives other ones.
  std::string radice_linea = "Valdora_Cesina";
  std::string radice_treno = "KT52806";
};

std::string nome_descrizione_linea(const scenario& s);  // L_linea.txt
std::string nome_descrizione_treno(const scenario& s);  // L_T-.txt
std::string nome_note(const scenario& s);               // L_T_note.txt
std::string nome_rallentamenti(const scenario& s);      // L_T_rallentamenti.txt
std::string nome_scheda_treno(const scenario& s);       // L_T_scheda_treno.txt
std::string nome_geometria_linea(const scenario& s);    // L_linea.dat
std::string nome_tabella_stazioni(const scenario& s);   // L_T.sim
std::string nome_tabella_celle(const scenario& s);      // L_T.dat
std::string nome_pagina(const scenario& s);             // L_T_report.html

// Why a name given by a user cannot name a scenario.
enum class nome_rifiutato {
  nessuno,
  vuoto,                // empty: a file name needs each of its parts
  non_rappresentabile,  // Windows-1252 cannot hold it
  non_valido_per_file,  // it cannot be part of a file name: a path
                        // separator, "..", a control character
  inizia_con_punto,     // a leading dot: the names of the program's working
                        // files, hidden in a listing
};

struct esito_nomi {
  nome_rifiutato motivo = nome_rifiutato::nessuno;
  std::string nome;        // the name refused, as given (UTF-8)
  bool del_treno = false;  // the train code was refused, not the line name
};

// The scenario named by a user (UTF-8): the names converted to Windows-1252,
// the stems as given.
esito_nomi scenario_da_nomi(std::string_view linea, std::string_view treno,
                            scenario& s);

#endif  // CORE_SCENARIO_H_
