#include "platform/cartella_memoria.h"

#include <cerrno>

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
    if (pieno_)
      return esito_file::fallito(percorso_, "No space left on device");
    return esito_file::riuscito();
  }

 private:
  std::string& destinazione_;
  std::string percorso_;
  std::size_t limite_;
  bool pieno_ = false;
};

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
  if (trovato == file.end()) {
    return esito_file::fallito(percorso(nome), "No such file or directory");
  }
  letti.emplace_back(nome);
  contenuto = trovato->second;
  return esito_file::riuscito();
}

esito_file cartella_memoria::crea(std::string_view nome,
                                  std::unique_ptr<scrittore_file>& scrittore) {
  if (sola_lettura)
    return esito_file::fallito(percorso(nome), "Read-only file system");
  if (esiste(nome))
    return esito_file::fallito(percorso(nome), "File exists", EEXIST);
  std::string& destinazione = file[std::string(nome)];
  destinazione.clear();
  scrittore = std::make_unique<scrittore_memoria>(destinazione, percorso(nome),
                                                  limite_scrittura);
  return esito_file::riuscito();
}

esito_file cartella_memoria::rinomina(std::string_view da, std::string_view a) {
  auto trovato = file.find(da);
  if (trovato == file.end()) {
    return esito_file::fallito(percorso(da), "No such file or directory");
  }
  std::string contenuto = std::move(trovato->second);
  file.erase(trovato);
  file[std::string(a)] = std::move(contenuto);
  scritti.emplace_back(a);
  return esito_file::riuscito();
}

esito_file cartella_memoria::cancella(std::string_view nome) {
  auto trovato = file.find(nome);
  if (trovato == file.end()) {
    return esito_file::fallito(percorso(nome), "No such file or directory");
  }
  if (sola_lettura)
    return esito_file::fallito(percorso(nome), "Read-only file system");
  file.erase(trovato);
  cancellati.emplace_back(nome);
  return esito_file::riuscito();
}
