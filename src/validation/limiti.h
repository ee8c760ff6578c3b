// The speed limits in force along the route, cell by cell as the compiled
// files hold them: the train's own limit (its `velocita` lines) and the
// line's speed boards. Two warnings of meaning rest on them: a slowdown whose
// speed is above the limit in force at its start, and a speed board that the
// train's own limit hides: every speed on it above that limit all along the
// board's stretch, though the train runs that fast elsewhere.
#ifndef VALIDATION_LIMITI_H_
#define VALIDATION_LIMITI_H_

#include <vector>

#include "validation/problemi.h"
#include "validation/voci.h"

// A slowdown whose speed is above the limit in force at its start cell: the
// train's own limit, or the highest speed of the speed board in force there.
void controlla_limiti_in_vigore(const descrizione_letta& linea,
                                const descrizione_letta& treno,
                                std::vector<problema>& p);

// A speed board whose every speed is above the train's own limit from its
// cell up to the next board's, its lowest speed not above the train's highest
// limit elsewhere: the limit hides from this train a board that is meant for
// it. A train slower everywhere than a board is not warned of it, nor one
// whose limit reaches the board's speeds before the next board.
void controlla_cartelli_nascosti(const descrizione_letta& linea,
                                 const descrizione_letta& treno,
                                 std::vector<problema>& p);

#endif  // VALIDATION_LIMITI_H_
