#include <string>

#include "documents/documenti_autore.h"
#include "documents/percorso_autore.h"
#include "documents/testo_autore.h"

namespace {

// The prescriptions stand where the default document puts its only line.
const std::string rientro(18, ' ');

}  // namespace

std::vector<std::string> righe_rallentamenti_autore(const tabelle& t) {
  std::vector<std::string> righe = {"", "", ""};
  const std::vector<rallentamento> elenco = rallentamenti(t.celle);
  if (elenco.empty()) righe.push_back(rientro + "NESSUNA PRESCRIZIONE");
  for (const rallentamento& r : elenco) {
    righe.push_back(rientro + "RALLENTAMENTO A " + std::to_string(r.velocita) +
                    " KM/H DAL KM " +
                    chilometri(progressiva(t.stazioni, r.inizio)) + " AL KM " +
                    chilometri(progressiva(t.stazioni, r.fine)));
  }
  return righe;
}
