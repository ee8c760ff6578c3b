#include "reading/parole_chiave.h"

#include <array>

#include "reading/lettore.h"

namespace {

constexpr bool esatto = false;
constexpr bool ogni = true;

constexpr std::array<parola_chiave, 24> parole = {{
    {parola::generale, "[generale]", "", ogni},
    {parola::lunghezza_percorso, "percorso", "lunghezza", ogni},
    {parola::progressiva_tre, "tre", "progressiva", esatto},
    {parola::progressiva_due, "due", "progressiva", esatto},
    {parola::progressiva_uno, "uno", "progressiva", esatto},
    {parola::sfondo_uno, "sfondo", "uno", esatto},
    {parola::sfondo_due, "sfondo", "due", esatto},
    {parola::sfondo_tre, "sfondo", "tre", esatto},
    {parola::ripetizione_segnali, "segnali", "ripetizione", esatto},
    {parola::pendenza, "pendenza", "", ogni},
    {parola::curva, "curva", "", ogni},
    {parola::montagna, "montagna", "", ogni},
    {parola::indicatori_vmax, "indicatori_v", "", ogni},
    {parola::cartello_indicatore, "indicat", "cartello", ogni},
    {parola::massa_frenata, "frenata", "massa", ogni},
    {parola::numero_vetture, "vetture", "", ogni},
    {parola::velocita, "velocit", "", ogni},
    {parola::aderenza, "aderenza", "", ogni},
    {parola::orologio, "orologio", "", ogni},
    {parola::sabbia, "sabbia", "", ogni},
    {parola::segnale, "segnale", "", ogni},
    {parola::rallentamento, "rallentamento", "", ogni},
    {parola::abbattimento, "abbattimento", "", ogni},
    {parola::stazione, "stazione", "", ogni},
}};

bool ha(std::string_view campo, std::string_view parte, bool ogni_caso) {
  return ogni_caso ? contiene_ogni_caso(campo, parte) : contiene(campo, parte);
}

}  // namespace

const parola_chiave& prove_di(parola p) {
  return parole[static_cast<std::size_t>(p)];
}

bool riconosce(parola p, std::string_view campo) {
  const parola_chiave& v = prove_di(p);
  if (!ha(campo, v.prima, v.ogni_caso)) return false;
  return v.seconda.empty() || ha(campo, v.seconda, v.ogni_caso);
}

bool intestazione(std::string_view campo) {
  return contiene(campo, "[") && contiene(campo, "]");
}
