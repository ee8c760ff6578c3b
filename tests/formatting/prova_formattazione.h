// Test glue for the formatter's guarantee: compiles two descriptions given as
// bytes and tells whether two compilations are the same (the binary files, the
// outcome that gives the exit status, the recorded fault and its position).
#ifndef TESTS_FORMATTING_PROVA_FORMATTAZIONE_H_
#define TESTS_FORMATTING_PROVA_FORMATTAZIONE_H_

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct compilazione_byte {
  int tipo = 0;  // esito_compilazione::tipo_esito
  std::string codice_fatale;
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  std::string byte_celle, byte_stazioni, byte_piano;

  bool operator==(const compilazione_byte&) const = default;
};

compilazione_byte compila_byte(const std::string& linea,
                               const std::string& treno, bool con_piano);

// The formatted text (the input itself when it is refused).
std::string formattato(const std::string& testo);

// Empty when fmt keeps the pair's compilation, with and without the plan,
// and is its own fixed point; otherwise what went wrong.
std::string controlla_garanzia(const std::string& linea,
                               const std::string& treno);

// A description's lines made harder for the reader: comment runs, odd case,
// quoted names and texts, blanks and tabs around commas, empty lines, odd line
// ends and, with `guasti`, values that fail or lines cut short.
std::string guasta(const std::vector<std::string>& righe, std::mt19937_64& g,
                   bool guasti);

// Only the blanks between values, and at the ends of lines, made different.
std::string altri_spazi(const std::string& testo, std::mt19937_64& g);

#endif  // TESTS_FORMATTING_PROVA_FORMATTAZIONE_H_
