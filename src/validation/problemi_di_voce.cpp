#include "validation/problemi_di_voce.h"

#include <string_view>
#include <utility>

std::string numero(int64_t n) { return std::to_string(n); }

problema a_voce(const voce& v, gravita g, messaggio m) {
  problema p;
  p.g = g;
  p.fonte = v.fonte;
  p.riga = v.riga;
  p.colonna = v.colonna;
  p.parola = v.scritta;
  p.testo = std::move(m);
  return p;
}

problema a_valore(const voce& v, const valore_letto& val, gravita g,
                  messaggio m) {
  problema p = a_voce(v, g, std::move(m));
  p.riga = val.riga;
  p.colonna = val.colonna;
  return p;
}

argomento nome_del_valore(const voce& v, const valore_chiave& atteso) {
  if (forma(v.chiave).scritta.find(atteso.nome) != std::string_view::npos)
    return v.scritta;
  return messaggio{N_("{0} of {1}"), {std::string(atteso.nome), v.scritta}};
}
