#include "app/nomi_file.h"

namespace {

std::string linea_treno(const stato& s) {
  return s.radice_linea + "_" + s.radice_treno;
}

}  // namespace

std::string nome_descrizione_linea(const stato& s) {
  return s.radice_linea + "_linea.txt";
}
std::string nome_descrizione_treno(const stato& s) {
  return linea_treno(s) + "-.txt";
}
std::string nome_note(const stato& s) { return linea_treno(s) + "_note.txt"; }
std::string nome_rallentamenti(const stato& s) {
  return linea_treno(s) + "_rallentamenti.txt";
}
std::string nome_scheda_treno(const stato& s) {
  return linea_treno(s) + "_scheda_treno.txt";
}
std::string nome_geometria_linea(const stato& s) {
  return s.radice_linea + "_linea.dat";
}
std::string nome_tabella_stazioni(const stato& s) {
  return linea_treno(s) + ".sim";
}
std::string nome_tabella_celle(const stato& s) {
  return linea_treno(s) + ".dat";
}
