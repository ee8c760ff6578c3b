#include "core/diagnostica.h"

#include <array>
#include <string>

namespace {

constexpr std::array<codice_diagnostico, 26> tabella = {{
    {1, false, "lunghezza percorso fuori dai limiti (da 0 a 1000000 m)"},
    {2, false,
     "progressiva chilometrica con inizio o valore non multiplo di 50"},
    {3, false, "inizio della ripetizione segnali non multiplo di 50"},
    {4, false, "fine della ripetizione segnali non multipla di 50"},
    {5, false,
     "ripetizione segnali senza \"4\" n\xE9 \"9\" nella parola chiave"},
    {6, true, "cartello indicatore su una cella gi\xE0 occupata"},
    {7, true, "abbattimento su una cella gi\xE0 occupata"},
    {8, true, "posizione della stazione non multipla di 50"},
    {9, true, "lunghezza della stazione non multipla di 100"},
    {10, false, "stazioni e testi dei cartelli superano i record disponibili"},
    {11, true,
     "segnale prima di un avviso di rallentamento senza cella libera per il "
     "codice"},
    {12, true, "finestra prima dell'inizio di un rallentamento tutta occupata"},
    {13, true,
     "codice di ripetizione nel rallentamento o dopo la sua fine senza cella "
     "libera"},
    {15, true, "posizione oltre la fine della tabella delle celle"},
    {16, true, "segnale su una cella gi\xE0 occupata"},
    {17, true, "cella di avviso del rallentamento gi\xE0 occupata"},
    {18, true, "cella di inizio del rallentamento gi\xE0 occupata"},
    {19, true, "cella di fine del rallentamento gi\xE0 occupata"},
    {20, true,
     "una delle quattro celle prima dell'avviso di rallentamento \xE8 "
     "occupata"},
    {21, true,
     "indicatore di velocit\xE0 massima su una cella gi\xE0 occupata"},
    {22, true, "stazione a meno di 350 m dalla fine della stazione precedente"},
    {24, false,
     "stazione che finisce entro i primi 100 m, senza posto per la fermata"},
    {25, false,
     "errore di lettura della descrizione (valore non valido o fuori misura, "
     "file mancante o finito prima del tempo)"},
    {101, false, "descrizione della linea mancante"},
    {102, false, "\"[generale]\" non trovato nella descrizione della linea"},
    {103, false, "curva senza classe da 1 a 6, o tracciato oltre 1000000 m"},
}};

}  // namespace

std::span<const codice_diagnostico> codici_diagnostici() { return tabella; }

const codice_diagnostico* cerca_codice(int32_t codice) {
  for (const codice_diagnostico& voce : codici_diagnostici()) {
    if (voce.codice == codice) return &voce;
  }
  return nullptr;
}

void registra_errore(diagnostica& d, int32_t codice,
                     const luogo_lettura& luogo) {
  d.codice_errore = codice;
  d.luogo_errore = luogo;
  d.storia.push_back({codice, false, 0, luogo});
}

void registra_errore(diagnostica& d, int32_t codice, int32_t posizione,
                     const luogo_lettura& luogo) {
  d.codice_errore = codice;
  d.posizione_errore = posizione;
  d.luogo_errore = luogo;
  d.storia.push_back({codice, true, posizione, luogo});
}
