#include "platform/cartella_descrizioni.h"

#include <cerrno>
#include <cstring>

#include "platform/cartella_reale.h"

cartella_descrizioni::cartella_descrizioni(std::vector<voce> voci)
    : voci_(std::move(voci)) {}

esito_file cartella_descrizioni::carica() {
  for (const voce& v : voci_) {
    std::string contenuto;
    const esito_file esito = leggi_percorso(v.percorso, contenuto);
    if (!esito.ok) return esito;
    contenuti_[v.nome] = std::move(contenuto);
  }
  return esito_file::riuscito();
}

void cartella_descrizioni::carica_testi(std::vector<std::string> testi) {
  for (std::size_t n = 0; n < voci_.size() && n < testi.size(); ++n)
    contenuti_[voci_[n].nome] = std::move(testi[n]);
}

std::string* cartella_descrizioni::contenuto(std::string_view nome) {
  auto trovato = contenuti_.find(nome);
  return trovato == contenuti_.end() ? nullptr : &trovato->second;
}

std::string cartella_descrizioni::percorso(std::string_view nome) const {
  for (const voce& v : voci_) {
    if (v.nome == nome) return v.percorso;
  }
  return std::string(nome);
}

bool cartella_descrizioni::esiste(std::string_view nome) const {
  return contenuti_.find(nome) != contenuti_.end();
}

esito_file cartella_descrizioni::leggi(std::string_view nome,
                                       std::string& contenuto) {
  std::string_view testo;
  const esito_file esito = leggi_vista(nome, contenuto, testo);
  if (esito.ok) contenuto = testo;
  return esito;
}

esito_file cartella_descrizioni::leggi_vista(std::string_view nome,
                                             std::string&,
                                             std::string_view& testo) {
  const std::string* trovato = contenuto(nome);
  if (trovato == nullptr)
    return esito_file::del_sistema(percorso(nome), ENOENT);
  testo = *trovato;
  return esito_file::riuscito();
}

esito_file cartella_descrizioni::crea(std::string_view nome, std::string_view,
                                      std::unique_ptr<scrittore_file>&) {
  return esito_file::del_sistema(percorso(nome), EROFS);
}

esito_file cartella_descrizioni::pubblica(
    const std::vector<rinomina>& rinomine) {
  if (rinomine.empty()) return esito_file::riuscito();
  return esito_file::del_sistema(percorso(rinomine.front().a), EROFS);
}

esito_file cartella_descrizioni::cancella(std::string_view nome) {
  // The author's file stays; the compiler only stops seeing it. Its bytes
  // stay too, for a reader that still views them.
  auto trovato = contenuti_.find(nome);
  if (trovato == contenuti_.end())
    return esito_file::del_sistema(percorso(nome), ENOENT);
  dimenticati_.push_back(contenuti_.extract(trovato));
  return esito_file::riuscito();
}
