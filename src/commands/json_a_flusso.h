// A JSON document written as it is walked, laid out byte for byte as
// nlohmann's dump(2) lays out the whole document (two spaces a level, a
// string that is not UTF-8 with U+FFFD in its place), so that a long list is
// printed without being held whole.
#ifndef COMMANDS_JSON_A_FLUSSO_H_
#define COMMANDS_JSON_A_FLUSSO_H_

#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>
#include <vector>

class json_a_flusso {
 public:
  explicit json_a_flusso(std::ostream& o) : o_(o) {}

  // An array or an object, as the next value; written up to its end by
  // chiudi().
  void apri_array() { apri('['); }
  void apri_oggetto() { apri('{'); }
  void chiudi();
  // Within an object: the key of the next value, array or object.
  json_a_flusso& chiave(std::string_view k);
  // A whole value, small enough to be held: a number, a string, a point.
  void valore(const nlohmann::ordered_json& v);

 private:
  struct aperto {
    char chiusura;
    bool vuoto = true;
  };
  void apri(char c);
  // The separator and the indent before a value in an array.
  void prima_del_valore();
  void a_capo(std::size_t livello);

  std::ostream& o_;
  std::vector<aperto> aperti_;
};

#endif  // COMMANDS_JSON_A_FLUSSO_H_
