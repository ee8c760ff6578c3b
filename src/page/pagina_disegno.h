// The drawings of the report page, as inline SVG that shows the whole route
// without a script and that the page's script zooms: the map of the track,
// turned so that the line runs from left to right, and the profiles along the
// route (elevation from the gradients, the train's limit and the speed
// boards, curvature) with tunnels, slowdowns, stations, signals, boards,
// board texts, the problems found and the stretch not read.
#ifndef PAGE_PAGINA_DISEGNO_H_
#define PAGE_PAGINA_DISEGNO_H_

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tables/tabelle.h"
#include "page/pagina_dati.h"
#include "page/pagina_etichette.h"
#include "page/pagina_piano.h"
#include "page/pagina_problemi.h"
#include "page/pagina_voci.h"

// The width that both drawings are laid out for without a script; the script
// lays them out again for the width they get.
inline constexpr double larghezza_nominale = 1200;

// What both drawings need: the route, its items and stretches, and where each
// description's data ends (the route length, or the metre from which it was
// not read).
struct contenuto_disegni {
  const tabelle& t;
  const coordinate_piano& piano;  // every metre of the plan, when there is one
  const vista& v;
  const std::vector<voce_disegno>& voci;
  const std::vector<voce_tratto>& tratti;
  int32_t fine_linea, fine_treno;
};

void disegna_mappa(std::ostream& o, const contenuto_disegni& c);
void disegna_profili(std::ostream& o, const contenuto_disegni& c);

// The marks of an item in one drawing: where its point is (nullopt when it is
// not drawn there) and the SVG of its marks around that point.
struct segni_voce {
  std::function<std::optional<punto_piano>(const voce_disegno&)> posizione;
  std::function<std::string(const voce_disegno&, const punto_piano&)> segno;
  // Whether the marks carry the description: one drawing is enough, the
  // script shows it on both.
  bool con_descrizione;
};

// Writes the items as groups that the script finds by their key and metre:
// marks, the label where it fits without a script (left out, but kept for the
// script, where it does not) and the description as a tooltip. Detail kinds
// are hidden when the route is too long or their marks too many for the
// drawing's `larghezza` pixels.
void scrivi_voci(std::ostream& o, const contenuto_disegni& c,
                 std::span<const aspetto_voce> aspetti, const segni_voce& s,
                 collocatore_etichette& etichette, double larghezza);

// A round length for a ruler, at least `minimo`: 1, 2 or 5 times a power of
// ten.
double passo_tondo(double minimo);
// "12 km", "12.5 km", "500 m".
std::string distanza(double metri);

#endif  // PAGE_PAGINA_DISEGNO_H_
