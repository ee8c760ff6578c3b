#include "platform/cartella_memoria.h"

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

namespace {

// One step of a publication, as it is undone: a file renamed (its content now
// under `spostato_in`), or a file replaced or removed (its former content, if
// it had one).
struct passo_pubblicazione {
  std::string nome;
  std::string spostato_in;
  std::optional<std::string> contenuto;
};

}  // namespace

esito_file cartella_memoria::pubblica(const std::vector<rinomina>& rinomine) {
  // All or nothing, as a folder of the disk: a failure puts back what was.
  // Only the files the renames touch are kept, not the whole folder, which
  // holds the plan of a route.
  std::vector<passo_pubblicazione> fatti;
  auto togli = [&](const std::string& nome) {
    passo_pubblicazione p{nome, {}, std::nullopt};
    if (auto f = file.find(nome); f != file.end()) {
      p.contenuto = std::move(f->second);
      file.erase(f);
    }
    fatti.push_back(std::move(p));
  };
  const std::size_t scritti_prima = scritti.size();
  auto annulla = [&](std::string percorso, int codice) {
    for (auto p = fatti.rbegin(); p != fatti.rend(); ++p) {
      if (!p->spostato_in.empty()) {
        auto f = file.find(p->spostato_in);
        file[p->nome] = std::move(f->second);
        file.erase(f);
      } else if (p->contenuto) {
        file[p->nome] = std::move(*p->contenuto);
      }
    }
    scritti.resize(scritti_prima);
    return guasto(std::move(percorso), codice);
  };
  int fatte = 0;
  for (const rinomina& r : rinomine) {
    if (fatte++ == rinomine_prima_del_guasto)
      return annulla(percorso(r.a), EIO);
    if (r.da.empty()) {
      togli(r.a);
      continue;
    }
    if (file.find(r.da) == file.end()) return annulla(percorso(r.da), ENOENT);
    if (r.da != r.a) {
      togli(r.a);
      auto trovato = file.find(r.da);
      file[r.a] = std::move(trovato->second);
      file.erase(trovato);
      fatti.push_back({r.da, r.a, std::nullopt});
    }
    scritti.push_back(r.a);
  }
  return esito_file::riuscito();
}

esito_file cartella_memoria::cancella(std::string_view nome) {
  auto trovato = file.find(nome);
  if (trovato == file.end()) return guasto(percorso(nome), ENOENT);
  if (sola_lettura) return guasto(percorso(nome), EROFS);
  if (auto g = guasti_cancellazione.find(nome); g != guasti_cancellazione.end())
    return guasto(percorso(nome), g->second);
  file.erase(trovato);
  cancellati.emplace_back(nome);
  return esito_file::riuscito();
}
