#include "compiler/codici_gara.h"

#include "platform/cp1252.h"

namespace {

constexpr std::size_t lunghezza_codice = 25;
constexpr const char* riempitivo = "aabbccddeeffgghhiillmmnnoo";

}  // namespace

std::string testo_codice_gara(const tabella_stazioni& stazioni) {
  std::string testo =
      stazioni[record_nome_treno].nome + stazioni[record_linea].nome;
  for (char& c : testo)
    c = static_cast<char>(minuscola_cp1252(static_cast<unsigned char>(c)));
  testo += riempitivo;
  return testo.substr(0, lunghezza_codice);
}

int32_t codice_gara_og(const tabella_stazioni& stazioni) {
  int32_t somma = 0;
  for (char c : testo_codice_gara(stazioni))
    somma += static_cast<unsigned char>(c);
  return somma;
}

int32_t codice_gara_st(const tabella_stazioni& stazioni) {
  int32_t somma = 0;
  int32_t k = 1;
  for (char c : testo_codice_gara(stazioni))
    somma += static_cast<unsigned char>(c) * k++;
  return somma;
}
