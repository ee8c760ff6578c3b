#include "compiler/uscita_binaria.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tables/formato.h"

namespace {

// The plan is laid and encoded this many metres at a time into one buffer.
constexpr int32_t metri_per_blocco = 1 << 13;
// Cells are handed to the file this many bytes at a time.
constexpr std::size_t blocco_celle = 1 << 16;

// Blocks of the plan encoded by one thread and handed to the file by another:
// on a long route encoding and writing each take several milliseconds, and
// with two threads they overlap. The blocks go round a small ring, in order.
class anello_blocchi {
 public:
  struct blocco {
    std::unique_ptr<char[]> byte;
    std::size_t quanti = 0;
  };

  explicit anello_blocchi(std::size_t capacita) {
    // Not cleared: every byte handed on has been encoded.
    for (blocco& b : blocchi_) b.byte.reset(new char[capacita]);
  }
  // The encoder: the next free block, to be filled and handed on by
  // `pronto`; nothing once the writer has given up.
  blocco* libero() {
    std::unique_lock<std::mutex> l(m_);
    cambiato_.wait(l, [&] { return pieni_ < blocchi_.size() || lasciato_; });
    if (lasciato_) return nullptr;
    return &blocchi_[(primo_ + pieni_) % blocchi_.size()];
  }
  void pronto() {
    cambia([&] { ++pieni_; });
  }
  void finito() {
    cambia([&] { finito_ = true; });
  }
  // The writer: the oldest block encoded, or nothing once every block is
  // written; then `scritto` gives it back.
  blocco* prossimo() {
    std::unique_lock<std::mutex> l(m_);
    cambiato_.wait(l, [&] { return pieni_ > 0 || finito_; });
    return pieni_ > 0 ? &blocchi_[primo_] : nullptr;
  }
  void scritto() {
    cambia([&] {
      primo_ = (primo_ + 1) % blocchi_.size();
      --pieni_;
    });
  }
  // The writer stops taking blocks (it is leaving, by an exception): the
  // encoder must not wait for room that will never come.
  void lascia() {
    cambia([&] { lasciato_ = true; });
  }

 private:
  template <typename F>
  void cambia(F f) {
    {
      const std::lock_guard<std::mutex> l(m_);
      f();
    }
    cambiato_.notify_all();
  }

  std::array<blocco, 3> blocchi_;
  std::size_t primo_ = 0, pieni_ = 0;
  bool finito_ = false, lasciato_ = false;
  std::mutex m_;
  std::condition_variable cambiato_;
};

// Each axis is laid anew from metre 0 as it is written: the file holds every x
// before every y, and walking the plan twice costs far less than holding it.
// `consegna` encodes a block, given how; false stops the encoding.
template <typename Consegna>
void codifica_piano(const piano_steso& piano, Consegna consegna) {
  for (int asse = 0; asse < 2; ++asse) {
    cammino_piano cammino(piano);
    for (int32_t m = 0; m <= piano.ultimo_metro; m += metri_per_blocco) {
      const int32_t quanti =
          std::min(metri_per_blocco, piano.ultimo_metro - m + 1);
      const bool ancora = consegna([&](char* blocco) {
        return codifica_asse(blocco, cammino, asse, quanti);
      });
      if (!ancora) return;
    }
  }
}

constexpr std::size_t byte_per_blocco =
    byte_massimi_elemento * metri_per_blocco;

void scrivi_piano_da_solo(const piano_steso& piano, scrittore_file& uscita) {
  // Not cleared first: every byte handed on has been encoded.
  const std::unique_ptr<char[]> spazio(new char[byte_per_blocco]);
  codifica_piano(piano, [&](auto codifica) {
    const char* fine = codifica(spazio.get());
    uscita.scrivi(spazio.get(), static_cast<std::size_t>(fine - spazio.get()));
    return true;
  });
}

// The plan encoded by a second thread while this one writes it; false, with
// nothing written, when no thread can be started.
bool scrivi_piano_in_due(const piano_steso& piano, scrittore_file& uscita) {
  anello_blocchi anello(byte_per_blocco);
  std::jthread codificatore;
  try {
    codificatore = std::jthread([&] {
      codifica_piano(piano, [&](auto codifica) {
        anello_blocchi::blocco* b = anello.libero();
        if (b == nullptr) return false;
        b->quanti =
            static_cast<std::size_t>(codifica(b->byte.get()) - b->byte.get());
        anello.pronto();
        return true;
      });
      anello.finito();
    });
  } catch (const std::system_error&) {
    return false;
  }
  // Declared after the thread, so left first: whatever way this function
  // ends, the encoder is released before the thread is joined.
  struct uscita_scrittore {
    anello_blocchi& a;
    ~uscita_scrittore() { a.lascia(); }
  } guardia{anello};
  while (anello_blocchi::blocco* b = anello.prossimo()) {
    uscita.scrivi(b->byte.get(), b->quanti);
    anello.scritto();
  }
  return true;
}

void scrivi_piano(const piano_steso& piano, scrittore_file& uscita) {
  uscita.prevedi(2 * byte_massimi_elemento *
                 (static_cast<std::size_t>(piano.ultimo_metro) + 1));
  // A short plan is not worth a thread.
  const bool lungo = piano.ultimo_metro >= 4 * metri_per_blocco;
  if (!lungo || !scrivi_piano_in_due(piano, uscita))
    scrivi_piano_da_solo(piano, uscita);
}

void scrivi_stazioni(const tabella_stazioni& stazioni, scrittore_file& uscita) {
  // The table's size up front: grown record by record, the image would be
  // copied a dozen times over.
  std::size_t byte = 0;
  for (const stazione& r : stazioni)
    byte += byte_fissi_stazione + r.nome.size();
  std::string immagine;
  immagine.reserve(byte);
  for (const stazione& r : stazioni) codifica_stazione(immagine, r);
  uscita.scrivi(immagine.data(), immagine.size());
}

void scrivi_celle(const std::vector<cella>& celle, scrittore_file& uscita) {
  std::string blocco;
  blocco.reserve(blocco_celle + byte_per_cella);
  for (const cella& c : celle) {
    codifica_cella(blocco, c);
    if (blocco.size() >= blocco_celle) {
      uscita.scrivi(blocco.data(), blocco.size());
      blocco.clear();
    }
  }
  uscita.scrivi(blocco.data(), blocco.size());
}

}  // namespace

esito_file prepara_file_binari(const scenario& sc, const tabelle& t,
                               insieme_sostituzioni& insieme) {
  if (t.piano.presente()) {
    esito_file esito =
        insieme.prepara(nome_geometria_linea(sc),
                        [&](scrittore_file& u) { scrivi_piano(t.piano, u); });
    if (!esito.ok) return esito;
  }
  esito_file esito = insieme.prepara(
      nome_tabella_stazioni(sc),
      [&](scrittore_file& u) { scrivi_stazioni(t.stazioni, u); });
  if (!esito.ok) return esito;
  return insieme.prepara(nome_tabella_celle(sc),
                         [&](scrittore_file& u) { scrivi_celle(t.celle, u); });
}
