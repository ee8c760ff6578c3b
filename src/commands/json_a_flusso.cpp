#include "commands/json_a_flusso.h"

#include <string>

namespace {

using json = nlohmann::ordered_json;

std::string scritto(const json& v) {
  return v.dump(2, ' ', false, json::error_handler_t::replace);
}

}  // namespace

void json_a_flusso::a_capo(std::size_t livello) {
  o_ << '\n' << std::string(2 * livello, ' ');
}

void json_a_flusso::prima_del_valore() {
  // In an object the key has placed the value already.
  if (aperti_.empty() || aperti_.back().chiusura != ']') return;
  if (!aperti_.back().vuoto) o_ << ',';
  aperti_.back().vuoto = false;
  a_capo(aperti_.size());
}

void json_a_flusso::apri(char c) {
  prima_del_valore();
  o_ << c;
  aperti_.push_back({c == '[' ? ']' : '}'});
}

void json_a_flusso::chiudi() {
  const aperto a = aperti_.back();
  aperti_.pop_back();
  // An empty array or object is written [] or {} on its line.
  if (!a.vuoto) a_capo(aperti_.size());
  o_ << a.chiusura;
}

json_a_flusso& json_a_flusso::chiave(std::string_view k) {
  if (!aperti_.back().vuoto) o_ << ',';
  aperti_.back().vuoto = false;
  a_capo(aperti_.size());
  o_ << scritto(json(k)) << ": ";
  return *this;
}

void json_a_flusso::valore(const json& v) {
  prima_del_valore();
  // The value laid out on its own, each of its lines indented to its level;
  // a string's own line breaks are escaped, so every break is the layout's.
  const std::string testo = scritto(v);
  const std::string rientro(2 * aperti_.size(), ' ');
  std::size_t da = 0;
  for (std::size_t a = testo.find('\n'); a != std::string::npos;
       a = testo.find('\n', da)) {
    o_.write(testo.data() + da, static_cast<std::streamsize>(a + 1 - da));
    o_ << rientro;
    da = a + 1;
  }
  o_.write(testo.data() + da, static_cast<std::streamsize>(testo.size() - da));
}
