#include "line/parole_chiave.h"

#include <array>

#include "line/lettore.h"

namespace {

constexpr bool esatto = false;
constexpr bool ogni = true;

constexpr std::array<parola_chiave, 24> tabella = {{
    {parola::generale, "[generale]", "[generale]", "", ogni},
    {parola::lunghezza_percorso, "lunghezza percorso", "percorso", "lunghezza",
     ogni},
    {parola::progressiva_tre, "progressiva chilometrica tre", "tre",
     "progressiva", esatto},
    {parola::progressiva_due, "progressiva chilometrica due", "due",
     "progressiva", esatto},
    {parola::progressiva_uno, "progressiva chilometrica uno", "uno",
     "progressiva", esatto},
    {parola::sfondo_uno, "sfondo uno", "sfondo", "uno", esatto},
    {parola::sfondo_due, "sfondo due", "sfondo", "due", esatto},
    {parola::sfondo_tre, "sfondo tre", "sfondo", "tre", esatto},
    {parola::ripetizione_segnali, "ripetizione segnali", "segnali",
     "ripetizione", esatto},
    {parola::pendenza, "pendenza", "pendenza", "", ogni},
    {parola::curva, "curva", "curva", "", ogni},
    {parola::montagna, "montagna", "montagna", "", ogni},
    {parola::indicatori_vmax, "indicatori_vmax", "indicatori_v", "", ogni},
    {parola::cartello_indicatore, "cartello_indicatore", "indicat", "cartello",
     ogni},
    {parola::massa_frenata, "percentuale massa frenata", "frenata", "massa",
     ogni},
    {parola::numero_vetture, "numero vetture", "vetture", "", ogni},
    {parola::velocita, "velocita", "velocit", "", ogni},
    {parola::aderenza, "aderenza", "aderenza", "", ogni},
    {parola::orologio, "orologio", "orologio", "", ogni},
    {parola::sabbia, "sabbia", "sabbia", "", ogni},
    {parola::segnale, "segnale", "segnale", "", ogni},
    {parola::rallentamento, "rallentamento", "rallentamento", "", ogni},
    {parola::abbattimento, "abbattimento", "abbattimento", "", ogni},
    {parola::stazione, "stazione", "stazione", "", ogni},
}};

bool ha(std::string_view campo, std::string_view parte, bool ogni_caso) {
  return ogni_caso ? contiene_ogni_caso(campo, parte) : contiene(campo, parte);
}

}  // namespace

const parola_chiave& voce(parola p) {
  return tabella[static_cast<std::size_t>(p)];
}

bool riconosce(parola p, std::string_view campo) {
  const parola_chiave& v = voce(p);
  if (!ha(campo, v.prima, v.ogni_caso)) return false;
  return v.seconda.empty() || ha(campo, v.seconda, v.ogni_caso);
}

bool intestazione(std::string_view campo) {
  return contiene(campo, "[") && contiene(campo, "]");
}
