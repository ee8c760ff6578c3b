// The names of every file of a scenario, built from the line and train stems.
#ifndef APP_NOMI_FILE_H_
#define APP_NOMI_FILE_H_

#include <string>

#include "app/stato.h"

std::string nome_descrizione_linea(const stato& s);  // L_linea.txt
std::string nome_descrizione_treno(const stato& s);  // L_T-.txt
std::string nome_note(const stato& s);               // L_T_note.txt
std::string nome_rallentamenti(const stato& s);      // L_T_rallentamenti.txt
std::string nome_scheda_treno(const stato& s);       // L_T_scheda_treno.txt
std::string nome_geometria_linea(const stato& s);    // L_linea.dat
std::string nome_tabella_stazioni(const stato& s);   // L_T.sim
std::string nome_tabella_celle(const stato& s);      // L_T.dat

#endif  // APP_NOMI_FILE_H_
