#include <string>

#include "documents/documenti_autore.h"
#include "documents/percorso_autore.h"
#include "documents/testo_autore.h"

namespace {

// The prescriptions stand where the default document puts its only line.
const std::string rientro(18, ' ');

}  // namespace

documento righe_rallentamenti_autore(const tabelle& t) {
  documento d{{"", "", ""}, ""};
  const std::vector<rallentamento> elenco = rallentamenti(t.celle);
  if (elenco.empty()) d.righe.push_back(rientro + "NESSUNA PRESCRIZIONE");
  for (const rallentamento& r : elenco) {
    d.righe.push_back(rientro + "RALLENTAMENTO A " +
                      std::to_string(r.velocita) + " KM/H DAL KM " +
                      chilometri(progressiva(t.stazioni, r.inizio)) +
                      " AL KM " + chilometri(progressiva(t.stazioni, r.fine)));
  }
  return d;
}
