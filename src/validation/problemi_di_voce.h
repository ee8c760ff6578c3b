// A problem placed at an item or at one of its values, and the words a
// message uses for them: shared by the rules of this layer.
#ifndef VALIDATION_PROBLEMI_DI_VOCE_H_
#define VALIDATION_PROBLEMI_DI_VOCE_H_

#include <cstdint>
#include <string>

#include "core/testi.h"
#include "reading/grammatica.h"
#include "validation/problemi.h"
#include "validation/voci.h"

// A whole number as a message shows it.
std::string numero(int64_t n);

// A problem at the item's keyword, and one at a value of the item.
problema a_voce(const voce& v, gravita g, messaggio m);
problema a_valore(const voce& v, const valore_letto& val, gravita g,
                  messaggio m);

// "pendenza", "ore of stazione": a value as a message names it.
argomento nome_del_valore(const voce& v, const valore_chiave& atteso);

#endif  // VALIDATION_PROBLEMI_DI_VOCE_H_
