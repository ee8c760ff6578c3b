// The items that the page's drawings place along the route, each with the key
// that links its marks in the map, in the profiles and its table row, and the
// way labels are placed beside a mark.
#ifndef PAGE_PAGINA_VOCI_H_
#define PAGE_PAGINA_VOCI_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "page/pagina_dati.h"
#include "page/pagina_problemi.h"

// Kinds of item, in the order their labels are placed: the first kinds win
// the room.
enum class genere_voce {
  errore,
  avviso,
  stazione,
  segnale,
  indicatore,
  cartello,
  codice
};

// The short class of a kind ("st", "sg", ...), used in the markup and in keys.
const char* classe_del_genere(genere_voce g);
// "sg3": the third signal.
std::string chiave(genere_voce g, std::size_t n);

struct voce_disegno {
  genere_voce g;
  std::size_t numero;  // 1, 2, ... within its kind, as in its key
  std::string chiave;
  int32_t metro;
  std::string etichetta;    // UTF-8, short
  std::string descrizione;  // UTF-8: what it is and where
};

// Stretches along the route: tunnels, slowdowns and the part not read.
enum class genere_tratto { galleria, rallentamento, non_letto };
const char* classe_del_tratto(genere_tratto g);
// "ga2": the second tunnel.
std::string chiave(genere_tratto g, std::size_t n);

struct voce_tratto {
  genere_tratto g;
  std::string chiave;
  int32_t da, a;
  std::string descrizione;  // UTF-8
  // For a stretch not read: the description it was not read from.
  fonte_lettura fonte = fonte_lettura::nessuna;
};

// Every point item, kinds in label order, each kind along the route.
std::vector<voce_disegno> voci_della_vista(const vista& v,
                                           const problemi_pagina* p);
std::vector<voce_tratto> tratti_della_vista(const vista& v,
                                            const problemi_pagina* p);

// Where a label may stand beside its mark: the offset of its anchor from the
// mark and how the text hangs from it (0 start, 1 middle, 2 end).
struct posto_etichetta {
  int dx, dy, ancora;
};

// How one kind of item is labelled in one drawing: the type size, the half
// size of its mark (which no other label may cover), the mark's offset from
// the item's point, whether it is a detail (shown only while the items of its
// kind stand far enough apart), and the places to try, in order.
struct aspetto_voce {
  genere_voce g;
  double corpo;
  double raggio;
  double marca_dy;
  bool dettaglio;
  std::vector<posto_etichetta> posti;
};

// Details are shown from this zoom on (metres of route per pixel across the
// drawing), and only while each of their marks has this many pixels across.
inline constexpr double metri_per_pixel_dettagli = 250;
inline constexpr double spazio_per_dettaglio = 10;

// The aspects as the page's script reads them: a JSON array in label order.
std::string aspetti_json(std::span<const aspetto_voce> aspetti);
const aspetto_voce& aspetto_di(std::span<const aspetto_voce> aspetti,
                               genere_voce g);

#endif  // PAGE_PAGINA_VOCI_H_
