#include "core/diagnostica.h"

#include <array>
#include <string>

#include "core/testi.h"

namespace {

constexpr std::array<codice_diagnostico, 26> tabella = {{
    {1, false, N_("route length out of bounds (0 to 1000000 m)")},
    {2, false,
     N_("kilometric progression with a start or value not a multiple of 50")},
    {3, false, N_("signal repetition start not a multiple of 50")},
    {4, false, N_("signal repetition end not a multiple of 50")},
    {5, false, N_("signal repetition without \"4\" or \"9\" in the keyword")},
    {6, true, N_("board with text on a cell already taken")},
    {7, true, N_("abbattimento on a cell already taken")},
    {8, true, N_("station position not a multiple of 50")},
    {9, true, N_("station length not a multiple of 100")},
    {10, false, N_("stations and board texts exceed the records available")},
    {11, true,
     N_("signal before a slowdown warning with no free cell for the code")},
    {12, true, N_("window before the start of a slowdown wholly taken")},
    {13, true,
     N_("repetition code in the slowdown or after its end with no free "
        "cell")},
    {15, true, N_("position beyond the end of the table of cells")},
    {16, true, N_("signal on a cell already taken")},
    {17, true, N_("slowdown warning cell already taken")},
    {18, true, N_("slowdown start cell already taken")},
    {19, true, N_("slowdown end cell already taken")},
    {20, true,
     N_("one of the four cells before the slowdown warning is taken")},
    {21, true, N_("speed board on a cell already taken")},
    {22, true,
     N_("station less than 350 m from the end of the station before")},
    {24, false,
     N_("station that ends within the first 100 m, with no room for the stop")},
    {25, false,
     N_("reading error in the description (a value not valid or out of "
        "measure, a file missing or ended too early)")},
    {101, false, N_("line description missing")},
    {102, false, N_("\"[generale]\" not found in the line description")},
    {103, false,
     N_("curve without a class from 1 to 6, or a plan beyond "
        "1000000 m")},
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
