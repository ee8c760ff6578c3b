// Cutting one fuzz input into the files of a scenario.
#ifndef TESTS_FUZZ_DIVIDI_H_
#define TESTS_FUZZ_DIVIDI_H_

#include <string>
#include <string_view>
#include <vector>

// The parts of `dati` between the occurrences of `separatore`, at most
// `quante` (the last takes the rest).
inline std::vector<std::string> dividi(std::string_view dati,
                                       std::string_view separatore,
                                       std::size_t quante) {
  std::vector<std::string> parti;
  while (parti.size() + 1 < quante) {
    const std::size_t fine = dati.find(separatore);
    if (fine == std::string_view::npos) break;
    parti.emplace_back(dati.substr(0, fine));
    dati.remove_prefix(fine + separatore.size());
  }
  parti.emplace_back(dati);
  parti.resize(quante);
  return parti;
}

// True when the text holds a control character other than a line end: what a
// view for people must never print raw.
inline bool con_controlli(std::string_view testo) {
  for (char c : testo) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\n') || b == 0x7F) return true;
  }
  return false;
}

#endif  // TESTS_FUZZ_DIVIDI_H_
