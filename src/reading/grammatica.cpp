#include "reading/grammatica.h"

#include <array>

namespace {

using L = larghezza_valore;
using R = ruolo_valore;

// clang-format off
constexpr valore_chiave posizione_m{"posizione", L::long32, R::posizione, "m"};

constexpr valore_chiave v_lunghezza[] = {{"lunghezza", L::long32, R::metri, "m", 1000, 1000000}};
constexpr valore_chiave v_progressiva[] = {
    {"inizio", L::long32, R::metri, "m"},
    {"progressiva", L::long32, R::metri, "m", 0, 2000000},
    {"decrescente", L::long32, R::qualsiasi, "", 0, 1}};
constexpr valore_chiave v_sfondo[] = {{"sfondo", L::long32, R::qualsiasi, ""}};
constexpr valore_chiave v_ripetizione[] = {
    {"inizio", L::long32, R::metri, "m"}, {"fine", L::long32, R::metri, "m"}};
constexpr valore_chiave v_pendenza[] = {
    posizione_m, {"pendenza", L::long32, R::qualsiasi, "per mille", -60, 60}};
constexpr valore_chiave v_curva[] = {
    {"inizio", L::long32, R::metri, "m"},
    {"lunghezza", L::long32, R::metri, "m", 1, 100000}};
constexpr valore_chiave v_montagna[] = {
    {"inizio", L::long32, R::posizione, "m"}, {"fine", L::long32, R::posizione, "m"},
    {"tipo", L::long32, R::qualsiasi, "", 1, 19}};
constexpr valore_chiave v_indicatore[] = {
    posizione_m,
    {"vas", L::long32, R::qualsiasi, "km/h", 0, 300}, {"vbs", L::long32, R::qualsiasi, "km/h", 0, 300},
    {"vcs", L::long32, R::qualsiasi, "km/h", 0, 300}, {"strisces", L::intero16, R::qualsiasi, "", 0, 9},
    {"vad", L::long32, R::qualsiasi, "km/h", 0, 300}, {"vbd", L::long32, R::qualsiasi, "km/h", 0, 300},
    {"vcd", L::long32, R::qualsiasi, "km/h", 0, 300}, {"strisced", L::intero16, R::qualsiasi, "", 0, 9}};
constexpr valore_chiave v_cartello[] = {posizione_m, {"testo", L::testo, R::qualsiasi, ""}};

constexpr valore_chiave v_massa[] = {{"percentuale", L::long32, R::qualsiasi, "%", 30, 300}};
constexpr valore_chiave v_vetture[] = {{"vetture", L::long32, R::qualsiasi, "", 1, 40}};
constexpr valore_chiave v_velocita[] = {
    posizione_m, {"velocita", L::long32, R::qualsiasi, "km/h", 0, 350}};
constexpr valore_chiave v_aderenza[] = {
    posizione_m, {"aderenza", L::long32, R::qualsiasi, "", 1, 100}};
constexpr valore_chiave v_orologio[] = {
    {"ore", L::intero16, R::qualsiasi, "", 0, 23}, {"minuti", L::intero16, R::qualsiasi, "", 0, 59},
    {"secondi", L::intero16, R::qualsiasi, "", 0, 59}};
constexpr valore_chiave v_sabbia[] = {{"sabbia", L::intero16, R::qualsiasi, "", 0, 1000}};
constexpr valore_chiave v_segnale[] = {
    posizione_m,
    {"sx", L::long32, R::qualsiasi, "", 0, 3}, {"s1", L::long32, R::qualsiasi, "", 0, 9},
    {"s2", L::long32, R::qualsiasi, "", 0, 9}, {"s3", L::long32, R::qualsiasi, "", 0, 9},
    {"rapp", L::long32, R::qualsiasi, "", 0, 3276}, {"dx", L::long32, R::qualsiasi, "", 0, 2},
    {"d1", L::long32, R::qualsiasi, "", 0, 9}, {"d2", L::long32, R::qualsiasi, "", 0, 9},
    {"d3", L::long32, R::qualsiasi, "", 0, 9}, {"tempo", L::long32, R::qualsiasi, "", 0, 255}};
constexpr valore_chiave v_rallentamento[] = {
    {"inizio", L::long32, R::posizione, "m"}, {"velocita", L::long32, R::qualsiasi, "km/h", 5, 300},
    {"lunghezza", L::long32, R::metri, "m", 50, 100000}, {"f_tt", L::long32, R::qualsiasi, ""},
    {"f_ta", L::long32, R::qualsiasi, ""}, {"d_v", L::long32, R::qualsiasi, ""}};
constexpr valore_chiave v_abbattimento[] = {
    posizione_m, {"valore", L::long32, R::qualsiasi, "", 0, 32767}};
constexpr valore_chiave v_stazione[] = {
    {"posizione", L::long32, R::posizione, "m"}, {"tipo", L::byte8, R::qualsiasi, ""},
    {"lunghezza", L::long32, R::metri, "m", 100, 10000}, {"campo4", L::byte8, R::qualsiasi, ""},
    {"campo5", L::byte8, R::qualsiasi, ""}, {"campo6", L::byte8, R::qualsiasi, ""},
    {"campo7", L::intero16, R::qualsiasi, ""}, {"campo8", L::intero16, R::qualsiasi, ""},
    {"campo9", L::byte8, R::qualsiasi, ""}, {"campo10", L::intero16, R::qualsiasi, ""},
    {"campo11", L::intero16, R::qualsiasi, ""}, {"campo12", L::intero16, R::qualsiasi, ""},
    {"campo13", L::byte8, R::qualsiasi, ""}, {"ore", L::long32, R::qualsiasi, "", 0, 23},
    {"minuti", L::long32, R::qualsiasi, "", 0, 59}, {"secondi", L::long32, R::qualsiasi, "", 0, 59},
    {"nome", L::testo, R::qualsiasi, ""}};

constexpr fonte_lettura LIN = fonte_lettura::descrizione_linea;
constexpr fonte_lettura TRE = fonte_lettura::descrizione_treno;

// In the order of `parola`.
constexpr std::array<forma_chiave, 24> forme_delle_parole = {{
    {parola::generale, "[generale]", LIN, false, false, {}},
    {parola::lunghezza_percorso, "lunghezza percorso", LIN, true, true, v_lunghezza},
    {parola::progressiva_tre, "progressiva chilometrica tre", LIN, true, true, v_progressiva},
    {parola::progressiva_due, "progressiva chilometrica due", LIN, true, true, v_progressiva},
    {parola::progressiva_uno, "progressiva chilometrica uno", LIN, true, true, v_progressiva},
    {parola::sfondo_uno, "sfondo uno", LIN, true, true, v_sfondo},
    {parola::sfondo_due, "sfondo due", LIN, true, true, v_sfondo},
    {parola::sfondo_tre, "sfondo tre", LIN, true, true, v_sfondo},
    {parola::ripetizione_segnali, "ripetizione segnali 4 codici", LIN, true, true, v_ripetizione},
    {parola::pendenza, "pendenza", LIN, false, false, v_pendenza},
    {parola::curva, "curvad4", LIN, false, false, v_curva},
    {parola::montagna, "montagna", LIN, false, false, v_montagna},
    {parola::indicatori_vmax, "indicatori_vmax", LIN, false, false, v_indicatore},
    {parola::cartello_indicatore, "cartello_indicatore", LIN, false, false, v_cartello},
    {parola::massa_frenata, "percentuale massa frenata", TRE, false, true, v_massa},
    {parola::numero_vetture, "numero vetture", TRE, false, true, v_vetture},
    {parola::velocita, "velocita", TRE, false, false, v_velocita},
    {parola::aderenza, "aderenza", TRE, false, false, v_aderenza},
    {parola::orologio, "orologio", TRE, false, true, v_orologio},
    {parola::sabbia, "sabbia", TRE, false, true, v_sabbia},
    {parola::segnale, "segnale", TRE, false, false, v_segnale},
    {parola::rallentamento, "rallentamento", TRE, false, false, v_rallentamento},
    {parola::abbattimento, "abbattimento", TRE, false, false, v_abbattimento},
    {parola::stazione, "stazione", TRE, false, false, v_stazione},
}};

constexpr std::string_view intestazioni_linea[] = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view intestazioni_treno[] = {
    "[generale]", "[aderenze]", "[vel_limite]", "[stazioni]", "[rallentamenti]", "[segnali]",
    "[codici]", "[fine]"};
// clang-format on

}  // namespace

const forma_chiave& forma(parola p) {
  return forme_delle_parole[static_cast<std::size_t>(p)];
}

std::span<const forma_chiave> forme() { return forme_delle_parole; }

std::span<const std::string_view> intestazioni(fonte_lettura fonte) {
  if (fonte == fonte_lettura::descrizione_treno) return intestazioni_treno;
  return intestazioni_linea;
}
