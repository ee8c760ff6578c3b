#include "platform/sostituzione.h"

#include <memory>
#include <string>

std::string nome_temporaneo(std::string_view nome) {
  std::string temporaneo(".");
  temporaneo += nome;
  temporaneo += ".nuovo";
  return temporaneo;
}

esito_file sostituisci_file(
    cartella& c, std::string_view nome,
    const std::function<void(scrittore_file&)>& produci) {
  const std::string temporaneo = nome_temporaneo(nome);
  std::unique_ptr<scrittore_file> scrittore;
  esito_file esito = c.apri_scrittura(temporaneo, scrittore);
  if (esito.ok) {
    produci(*scrittore);
    esito = scrittore->chiudi();
    if (esito.ok) esito = c.rinomina(temporaneo, nome);
  }
  if (!esito.ok) {
    if (c.esiste(temporaneo)) c.cancella(temporaneo);
    // Name the file the user asked for, not the temporary one.
    esito.percorso = c.percorso(nome);
  }
  return esito;
}
