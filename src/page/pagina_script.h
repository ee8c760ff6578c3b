// The report page's style sheet and its one small script (pagina.css and
// pagina.js beside this file, carried in the program as data). The script
// zooms and pans the two drawings together over a range of the route, places
// the labels that fit at the width and zoom shown, shows what an item is on
// hover and tap, finds items, sorts the tables and links their rows to the
// drawings. Its layout check lives in the browser test
// (scripts/prova_pagina.py), not in the page.
#ifndef PAGE_PAGINA_SCRIPT_H_
#define PAGE_PAGINA_SCRIPT_H_

#include <string_view>

std::string_view stile_pagina();
// The script's pure functions, as a variable `F` that the body reads.
std::string_view funzioni_pagina();
// The script's body; it expects a variable `T` with its words before it.
std::string_view script_pagina();
// The live script of a page that `watch` serves (vivo.js): it follows the
// server's events and puts each new build's page in place of the old one,
// keeping the view.
std::string_view script_vivo();

#endif  // PAGE_PAGINA_SCRIPT_H_
