#include "platform/sostituzione.h"

#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "platform/pubblicazione.h"

namespace {

// A name that another file already holds is tried again under a new random
// part; after this many the folder is not one to write into.
constexpr int tentativi = 16;

esito_file crea_temporaneo(cartella& c, std::string_view nome,
                           std::string& temporaneo,
                           std::unique_ptr<scrittore_file>& scrittore) {
  esito_file esito;
  for (int volta = 0; volta < tentativi; ++volta) {
    temporaneo = nome_temporaneo(nome);
    esito = c.crea(temporaneo, nome, scrittore);
    if (esito.ok || esito.errno_sistema != EEXIST) return esito;
  }
  return esito;
}

}  // namespace

std::string nome_temporaneo(std::string_view nome) {
  return nome_di_lavoro(nome, "nuovo");
}

insieme_sostituzioni::insieme_sostituzioni(cartella& c) : c_(c) {}

insieme_sostituzioni::~insieme_sostituzioni() { scarta(); }

esito_file insieme_sostituzioni::prepara(
    std::string_view nome,
    const std::function<void(scrittore_file&)>& produci) {
  std::string temporaneo;
  std::unique_ptr<scrittore_file> scrittore;
  esito_file esito = crea_temporaneo(c_, nome, temporaneo, scrittore);
  if (esito.ok) {
    produci(*scrittore);
    esito = scrittore->chiudi();
    if (esito.ok) {
      preparati_.push_back({temporaneo, std::string(nome)});
    } else {
      c_.cancella(temporaneo);
    }
  }
  // Name the file the user asked for, not the temporary one.
  if (!esito.ok) esito.percorso = c_.percorso(nome);
  return esito;
}

esito_file insieme_sostituzioni::pubblica() {
  esito_file esito = c_.pubblica(preparati_);
  // Those renamed are gone under their temporary names; the others are
  // removed.
  for (const rinomina& r : preparati_) {
    if (!r.da.empty() && c_.esiste(r.da)) c_.cancella(r.da);
  }
  preparati_.clear();
  return esito;
}

void insieme_sostituzioni::togli(std::string_view nome) {
  preparati_.push_back({std::string(), std::string(nome)});
}

bool insieme_sostituzioni::preparato(std::string_view nome) const {
  for (const rinomina& r : preparati_) {
    if (!r.da.empty() && r.a == nome) return true;
  }
  return false;
}

void insieme_sostituzioni::scarta() {
  for (const rinomina& r : preparati_) {
    if (!r.da.empty()) c_.cancella(r.da);
  }
  preparati_.clear();
}

esito_file sostituisci_file(
    cartella& c, std::string_view nome,
    const std::function<void(scrittore_file&)>& produci) {
  insieme_sostituzioni insieme(c);
  const esito_file esito = insieme.prepara(nome, produci);
  if (!esito.ok) return esito;
  return insieme.pubblica();
}
