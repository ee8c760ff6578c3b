// The page of the latest build, shared by the watch's loop, which puts each
// new one, and the server's threads, which give it to the browsers and tell
// them when it changes.
#ifndef WATCH_PAGINA_CONDIVISA_H_
#define WATCH_PAGINA_CONDIVISA_H_

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

class pagina_condivisa {
 public:
  // The page of a new build: its number goes up by one.
  void pubblica(std::string pagina);
  // The page now and its number (0 before the first).
  std::string pagina() const;
  uint64_t numero() const;
  // Waits until the number differs from `visto`, at most `tempo`; gives the
  // number then (`visto` when the time ran out), nothing once closed.
  std::optional<uint64_t> attendi_dopo(uint64_t visto,
                                       std::chrono::milliseconds tempo);
  // The run ends: every wait returns nothing.
  void chiudi();

 private:
  mutable std::mutex m_;
  std::condition_variable cambiata_;
  std::string pagina_;
  uint64_t numero_ = 0;
  bool chiusa_ = false;
};

#endif  // WATCH_PAGINA_CONDIVISA_H_
