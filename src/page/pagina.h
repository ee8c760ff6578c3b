// The report page of a compiled scenario: one self-contained XHTML page (inline
// SVG and CSS, one small inline script, nothing loaded from elsewhere) with
// the map of the track, the profiles along the route, the timetable, a table
// of every kind of item and the problems of the compilation, marked where
// they are. Without scripts it shows the whole route; with them the drawings
// zoom and pan together and items can be found.
#ifndef PAGE_PAGINA_H_
#define PAGE_PAGINA_H_

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/scenario.h"
#include "platform/cartella.h"
#include "platform/sostituzione.h"
#include "tables/tabelle.h"
#include "page/pagina_problemi.h"

// The page for the tables `t`. `problemi` are those of the compilation when it
// is known; without them the page says that the files alone do not tell.
// `documenti` names the driver's documents that stand beside the page (UTF-8
// file names); the page links them.
// `inspiegato` lists what no description explains in the tables (UTF-8).
std::string pagina_html(const tabelle& t,
                        const std::optional<problemi_pagina>& problemi,
                        const std::vector<std::string>& documenti = {},
                        const std::vector<std::string>& inspiegato = {});

// Writes the page as <line>_<train>_report.html into `c`, linking the
// scenario's documents that `c` holds.
esito_file scrivi_pagina(const scenario& sc, const tabelle& t, cartella& c,
                         const std::optional<problemi_pagina>& problemi,
                         const std::vector<std::string>& inspiegato = {},
                         const std::string& nome = "");
// The same page prepared in `insieme`, to be published with the rest of the
// set; it links the documents that are in the folder or in the set.
// `nome` is the page's file name, nome_pagina(sc) when empty.
esito_file prepara_pagina(const scenario& sc, const tabelle& t,
                          insieme_sostituzioni& insieme,
                          const std::optional<problemi_pagina>& problemi,
                          const std::vector<std::string>& inspiegato = {},
                          const std::string& nome = "");
// Whether a page (its bytes) lists the problems of a compilation, which a
// page made from the files alone cannot tell.
bool pagina_con_problemi(std::string_view pagina);

#endif  // PAGE_PAGINA_H_
