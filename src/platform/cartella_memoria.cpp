#include "platform/cartella_memoria.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

class scrittore_memoria : public scrittore_file {
 public:
  scrittore_memoria(std::string& destinazione, std::string percorso,
                    std::size_t limite)
      : destinazione_(destinazione),
        percorso_(std::move(percorso)),
        limite_(limite) {}

  void scrivi(const char* dati, std::size_t quanti) override {
    if (pieno_) return;
    if (destinazione_.size() + quanti > limite_) {
      pieno_ = true;
      return;
    }
    destinazione_.append(dati, quanti);
  }
  void prevedi(std::size_t byte) override {
    destinazione_.reserve(std::min(byte, limite_));
  }
  esito_file chiudi() override {
    if (pieno_) {
      return esito_file::del_sistema(percorso_, ENOSPC);
    }
    return esito_file::riuscito();
  }

 private:
  std::string& destinazione_;
  std::string percorso_;
  std::size_t limite_;
  bool pieno_ = false;
};

esito_file guasto(std::string percorso, int codice) {
  return esito_file::del_sistema(std::move(percorso), codice);
}

}  // namespace

std::string cartella_memoria::percorso(std::string_view nome) const {
  return "memoria/" + std::string(nome);
}

bool cartella_memoria::esiste(std::string_view nome) const {
  return file.find(nome) != file.end();
}

esito_file cartella_memoria::leggi(std::string_view nome,
                                   std::string& contenuto) {
  auto trovato = file.find(nome);
  if (trovato == file.end()) return guasto(percorso(nome), ENOENT);
  if (auto g = guasti_lettura.find(nome); g != guasti_lettura.end())
    return guasto(percorso(nome), g->second);
  letti.emplace_back(nome);
  contenuto = trovato->second;
  return esito_file::riuscito();
}

esito_file cartella_memoria::crea(std::string_view nome, std::string_view,
                                  std::unique_ptr<scrittore_file>& scrittore) {
  if (sola_lettura) return guasto(percorso(nome), EROFS);
  if (esiste(nome)) return guasto(percorso(nome), EEXIST);
  std::string& destinazione = file[std::string(nome)];
  destinazione.clear();
  scrittore = std::make_unique<scrittore_memoria>(destinazione, percorso(nome),
                                                  limite_scrittura);
  return esito_file::riuscito();
}

esito_file cartella_memoria::pubblica(const std::vector<rinomina>& rinomine) {
  // All or nothing, as a folder of the disk: a failure puts back what was.
  // Each step keeps only what it replaced, not a copy of the whole folder (a
  // plan runs to megabytes, and the fuzzer publishes thousands of them).
  struct passo {
    const rinomina* r;
    std::optional<std::string> sostituito;  // what the target held
  };
  std::vector<passo> fatti;
  const std::size_t scritti_prima = scritti.size();
  auto annulla = [&](std::string percorso, int codice) {
    for (auto p = fatti.rbegin(); p != fatti.rend(); ++p) {
      std::string contenuto = std::move(file[p->r->a]);
      if (p->sostituito) {
        file[p->r->a] = std::move(*p->sostituito);
      } else {
        file.erase(p->r->a);
      }
      if (!p->r->da.empty()) file[p->r->da] = std::move(contenuto);
    }
    scritti.resize(scritti_prima);
    return guasto(std::move(percorso), codice);
  };
  for (const rinomina& r : rinomine) {
    if (static_cast<int>(fatti.size()) == rinomine_prima_del_guasto)
      return annulla(percorso(r.a), EIO);
    std::string contenuto;
    if (!r.da.empty()) {
      auto trovato = file.find(r.da);
      if (trovato == file.end()) return annulla(percorso(r.da), ENOENT);
      contenuto = std::move(trovato->second);
      file.erase(trovato);
    }
    passo p{&r, std::nullopt};
    if (auto vecchio = file.find(r.a); vecchio != file.end()) {
      p.sostituito = std::move(vecchio->second);
      file.erase(vecchio);
    }
    if (!r.da.empty()) {
      file[r.a] = std::move(contenuto);
      scritti.push_back(r.a);
    }
    fatti.push_back(std::move(p));
  }
  return esito_file::riuscito();
}

esito_file cartella_memoria::cancella(std::string_view nome) {
  auto trovato = file.find(nome);
  if (trovato == file.end()) return guasto(percorso(nome), ENOENT);
  if (sola_lettura) return guasto(percorso(nome), EROFS);
  if (auto g = guasti_cancellazione.find(nome); g != guasti_cancellazione.end())
    return guasto(percorso(nome), g->second);
  // The bytes stay, out of the folder, for a reader that still views them.
  cestino_.push_back(
      std::make_shared<decltype(file)::node_type>(file.extract(trovato)));
  cancellati.emplace_back(nome);
  return esito_file::riuscito();
}
