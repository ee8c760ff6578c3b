#include "documents/dati_note.h"

std::vector<std::string> righe_note() {
  // clang-format off
  return {
      "AUTORE: Paolo Ferrandi",
      "INDIRIZZO EMAIL: paolo.ferrandi@example.it",
      "NUMERO PROGRESSIVO SCENARIO: 1",
      "DATA REALIZZAZIONE SCENARIO: 24.03.2001",
      "",
      "Questo scenario non presenta difficolt\xE0 di alcun genere. Dato che sulla stessa linea sono",
      "previsti altri scenari con treni pi\xF9 impegnativi da condurre, questo \xE8 stato realizzato in modo",
      "molto semplice, in maniera che chiunque possa imparare a conoscere il percorso: si tratta della",
      "tratta Bolzano - Trento della linea del Brennero.",
      "Il tracciato della linea, cio\xE8 curve, pendenze e segnali, non corrisponde esattamente alla",
      "realt\xE0: \xE8 stato ricostruito a memoria dall'autore, che per parecchi anni ha percorso questa",
      "tratta da pendolare, ma \xE8 comunque abbastanza attendibile. Sono invece precise, nei limiti",
      "consentiti dal simulatore, le posizioni delle stazioni e dei dieci passaggi a livello ancora",
      "presenti sulla linea; una ventina di altri passaggi a livello sono stati soppressi tra il 1990",
      "e il 1995 e quindi non compaiono nello scenario. Chi conosce bene la linea potr\xE0 notare qualche",
      "piccola differenza nelle distanze tra i segnali, dovuta soprattutto al fatto che ogni oggetto",
      "pu\xF2 stare soltanto su un punto della griglia di cinquanta metri.",
      "Il treno \xE8 un Eurocity che viaggia da Amburgo, in Germania, fino a Venezia Santa Lucia, ma",
      "viene simulato soltanto tra le due stazioni estreme della tratta. Non effettua fermate",
      "intermedie, tutti i segnali sono disposti a via libera, non ci sono prescrizioni di",
      "rallentamento e l'aderenza \xE8 ottima: quindi, se condotto correttamente, il treno arriver\xE0",
      "all'ultima stazione con parecchi minuti di anticipo sull'orario. Si tratta di un ottimo",
      "modo per ripassare la linea senza dover pensare ad altro che alla velocit\xE0.",
      "I nomi delle stazioni che si trovano in provincia di Bolzano sono scritti in entrambe le",
      "lingue, prima in italiano e poi in tedesco, come sui cartelli delle stazioni reali; lo stesso",
      "vale per la scheda treno che accompagna lo scenario. Le stazioni che si trovano in provincia",
      "di Trento, invece, sono indicate soltanto con il nome italiano, l'unico in uso in quella",
      "provincia. Buon viaggio!",
  };
  // clang-format on
}
