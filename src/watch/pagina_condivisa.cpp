#include "watch/pagina_condivisa.h"

void pagina_condivisa::pubblica(std::string pagina) {
  {
    const std::lock_guard<std::mutex> l(m_);
    pagina_ = std::move(pagina);
    ++numero_;
  }
  cambiata_.notify_all();
}

std::string pagina_condivisa::pagina() const {
  const std::lock_guard<std::mutex> l(m_);
  return pagina_;
}

uint64_t pagina_condivisa::numero() const {
  const std::lock_guard<std::mutex> l(m_);
  return numero_;
}

std::optional<uint64_t> pagina_condivisa::attendi_dopo(
    uint64_t visto, std::chrono::milliseconds tempo) {
  std::unique_lock<std::mutex> l(m_);
  cambiata_.wait_for(l, tempo, [&] { return chiusa_ || numero_ != visto; });
  if (chiusa_) return std::nullopt;
  return numero_;
}

void pagina_condivisa::chiudi() {
  {
    const std::lock_guard<std::mutex> l(m_);
    chiusa_ = true;
  }
  cambiata_.notify_all();
}
