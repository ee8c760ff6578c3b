#include "core/testi.h"

argomento::argomento(std::string d) : dato(std::move(d)) {}
argomento::argomento(const char* d) : dato(d) {}
argomento::argomento(std::string_view d) : dato(d) {}
argomento::argomento(messaggio f) : frase{std::move(f)} {}

messaggio::messaggio(std::string f, std::vector<argomento> a)
    : formato(std::move(f)), argomenti(std::move(a)) {}

messaggio plurale(const char* singolare, const char* plurale,
                  unsigned long quanti, std::vector<argomento> argomenti) {
  messaggio m(singolare, std::move(argomenti));
  m.plurale = plurale;
  m.quanti = quanti;
  return m;
}

std::string sostituisci(std::string_view formato,
                        const std::vector<std::string>& argomenti) {
  // Room for the whole text at once, not a copy each time it outgrows it.
  std::size_t byte = formato.size();
  for (const std::string& a : argomenti) byte += a.size();
  std::string testo;
  testo.reserve(byte);
  for (std::size_t i = 0; i < formato.size(); ++i) {
    const char c = formato[i];
    const bool segnaposto = c == '{' && i + 2 < formato.size() &&
                            formato[i + 1] >= '0' && formato[i + 1] <= '9' &&
                            formato[i + 2] == '}';
    if (!segnaposto) {
      testo += c;
      continue;
    }
    const auto n = static_cast<std::size_t>(formato[i + 1] - '0');
    if (n < argomenti.size()) testo += argomenti[n];
    i += 2;
  }
  return testo;
}

std::string componi(const messaggio& m, const lettore_messaggi& l) {
  std::vector<std::string> testi;
  testi.reserve(m.argomenti.size());
  for (const argomento& a : m.argomenti) {
    testi.push_back(a.frase.empty() ? l.dato(a.dato)
                                    : componi(a.frase.front(), l));
  }
  return sostituisci(l.formato(m), testi);
}

std::string componi(const messaggio& m) {
  return componi(m, {[](const messaggio& x) {
                       return x.plurale.empty() || x.quanti == 1 ? x.formato
                                                                 : x.plurale;
                     },
                     [](const std::string& dato) { return dato; }});
}
