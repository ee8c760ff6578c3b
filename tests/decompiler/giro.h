// Test glue between the decompiler and the compiler: compiles two
// descriptions in an in-memory folder and keeps the tables with the three
// binary files that the compiler wrote there. The only file that knows the
// compiler's interface.
#ifndef TESTS_DECOMPILER_GIRO_H_
#define TESTS_DECOMPILER_GIRO_H_

#include <cstdint>
#include <string>
#include <vector>

#include "decompiler/decompila.h"
#include "tables/tabelle.h"

struct compilazione {
  bool scritta = false;       // the binary files were written
  int32_t codice_errore = 0;  // the last fault recorded, 0 when none
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  coordinate_piano piano;  // empty without the plan
  // The three files' bytes: cells (.dat), stations (.sim), plan (_linea.dat).
  std::string byte_celle, byte_stazioni, byte_piano;

  bool senza_errori() const { return scritta && codice_errore == 0; }
};

compilazione compila(const std::vector<std::string>& linea,
                     const std::vector<std::string>& treno,
                     const std::string& nome_linea = "Valdora_Cesina",
                     const std::string& nome_treno = "KT52806",
                     bool con_piano = true);

// Compile, decompile, compile again.
struct giro {
  compilazione primo;
  esito_decompilazione decompilata;
  compilazione secondo;  // without the plan's coordinates: its bytes serve

  bool stessi_byte() const {
    return primo.byte_celle == secondo.byte_celle &&
           primo.byte_stazioni == secondo.byte_stazioni &&
           primo.byte_piano == secondo.byte_piano;
  }
};

giro giro_completo(const std::vector<std::string>& linea,
                   const std::vector<std::string>& treno,
                   const std::string& nome_linea = "Valdora_Cesina",
                   const std::string& nome_treno = "KT52806",
                   bool con_piano = true);

// Decompiles the tables of a compilation (nullptr plan without it).
esito_decompilazione decompila_tabelle(const compilazione& c);

// Where two compilations first differ, for failure messages.
std::string prima_differenza(const compilazione& a, const compilazione& b);

#endif  // TESTS_DECOMPILER_GIRO_H_
