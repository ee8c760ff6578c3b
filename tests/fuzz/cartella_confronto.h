// The folder of the fuzz targets that compile twice and compare the files
// (fuzz_decompila's round trip, fuzz_fmt's guarantee): the two descriptions to
// compile, and the three binary files the compiler writes. The first
// compilation's files are kept; the second compilation's are compared with
// them byte by byte as they are written, never held. The folder lives from one
// input to the next and keeps only its room (cleared for each input): a plan's
// file runs to hundreds of kilobytes, and a fresh one for each compilation,
// under the address sanitizer, cost a fresh mapping of memory and its page
// faults every time.
#ifndef TESTS_FUZZ_CARTELLA_CONFRONTO_H_
#define TESTS_FUZZ_CARTELLA_CONFRONTO_H_

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/scenario.h"
#include "platform/cartella.h"

class cartella_confronto : public cartella {
 public:
  // The scenario of the next compilation, whose binary files are kept
  // (`confronta` false) or compared with those kept (true); its descriptions
  // are to be put in linea() and treno().
  void prepara(const scenario& sc, bool confronta) {
    descrizioni_[0].nome = nome_descrizione_linea(sc);
    descrizioni_[1].nome = nome_descrizione_treno(sc);
    descrizioni_[0].testo.clear();
    descrizioni_[1].testo.clear();
    nomi_binari_ = {nome_tabella_celle(sc), nome_tabella_stazioni(sc),
                    nome_geometria_linea(sc)};
    confronta_ = confronta;
    for (binario& b : binari_) {
      if (!confronta) b.tenuti.clear();
      b.confrontati = 0;
      b.diverso = false;
    }
  }
  std::string& linea() { return descrizioni_[0].testo; }
  std::string& treno() { return descrizioni_[1].testo; }
  // The bytes kept of the cells' table.
  std::size_t byte_celle() const { return binari_[0].tenuti.size(); }
  // True when the second compilation wrote the same three files as the
  // first, a file not written standing as an empty one.
  bool stessi_byte() const {
    for (const binario& b : binari_)
      if (b.diverso || b.confrontati != b.tenuti.size()) return false;
    return true;
  }

  std::string percorso(std::string_view nome) const override {
    return "confronto/" + std::string(nome);
  }
  bool esiste(std::string_view nome) const override {
    return descrizione(nome) != nullptr;
  }
  esito_file leggi(std::string_view nome, std::string& contenuto) override {
    const std::string* testo = descrizione(nome);
    if (testo == nullptr)
      return esito_file::del_sistema(percorso(nome), ENOENT);
    contenuto = *testo;
    return esito_file::riuscito();
  }
  esito_file leggi_vista(std::string_view nome, std::string&,
                         std::string_view& testo) override {
    const std::string* trovato = descrizione(nome);
    if (trovato == nullptr)
      return esito_file::del_sistema(percorso(nome), ENOENT);
    testo = *trovato;
    return esito_file::riuscito();
  }
  // Only the binary files are written, each under a temporary name that is
  // to replace it.
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override {
    for (std::size_t i = 0; i < binari_.size(); ++i) {
      if (nomi_binari_[i] != sostituisce) continue;
      binario& b = binari_[i];
      b.confrontati = 0;
      b.diverso = false;
      if (!confronta_) b.tenuti.clear();
      scrittore = std::make_unique<scrittore_confronto>(b, confronta_);
      return esito_file::riuscito();
    }
    return esito_file::del_sistema(percorso(nome), EACCES);
  }
  esito_file pubblica(const std::vector<rinomina>&) override {
    return esito_file::riuscito();
  }
  esito_file cancella(std::string_view) override {
    return esito_file::riuscito();
  }

 private:
  struct descrizione_confronto {
    std::string nome, testo;
  };
  struct binario {
    std::string tenuti;           // the first compilation's bytes
    std::size_t confrontati = 0;  // the second's, so far
    bool diverso = false;
  };

  class scrittore_confronto : public scrittore_file {
   public:
    scrittore_confronto(binario& b, bool confronta)
        : b_(b), confronta_(confronta) {}
    void scrivi(const char* dati, std::size_t quanti) override {
      if (!confronta_) {
        b_.tenuti.append(dati, quanti);
        return;
      }
      if (b_.diverso) return;
      if (b_.tenuti.size() - b_.confrontati < quanti ||
          std::memcmp(b_.tenuti.data() + b_.confrontati, dati, quanti) != 0) {
        b_.diverso = true;
        return;
      }
      b_.confrontati += quanti;
    }
    void prevedi(std::size_t byte) override {
      if (!confronta_) b_.tenuti.reserve(byte);
    }
    esito_file chiudi() override { return esito_file::riuscito(); }

   private:
    binario& b_;
    bool confronta_;
  };

  const std::string* descrizione(std::string_view nome) const {
    for (const descrizione_confronto& d : descrizioni_)
      if (d.nome == nome) return &d.testo;
    return nullptr;
  }

  std::array<descrizione_confronto, 2> descrizioni_;
  std::array<std::string, 3> nomi_binari_;
  std::array<binario, 3> binari_;
  bool confronta_ = false;
};

#endif  // TESTS_FUZZ_CARTELLA_CONFRONTO_H_
