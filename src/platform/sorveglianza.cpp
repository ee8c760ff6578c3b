#include "platform/sorveglianza.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/segnali.h"

namespace {

// What a save can do to a file in its folder: written in place, renamed over
// or away, created, deleted, its permissions changed.
constexpr uint32_t eventi_file = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO |
                                 IN_MOVED_FROM | IN_CREATE | IN_DELETE |
                                 IN_ATTRIB;

std::string cartella_di(const std::string& percorso) {
  std::string c = std::filesystem::path(percorso).parent_path().string();
  return c.empty() ? "." : c;
}

}  // namespace

bool sorveglianza_file::evento::qualcosa() const {
  if (segnale != 0) return true;
  for (bool c : cambiati) {
    if (c) return true;
  }
  return false;
}

sorveglianza_file::sorveglianza_file(const std::vector<std::string>& percorsi) {
  const sigset_t fine = insieme_di_fine();
  ::pthread_sigmask(SIG_BLOCK, &fine, &prima_);
  segnali_ = ::signalfd(-1, &fine, SFD_CLOEXEC | SFD_NONBLOCK);
  inotify_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (segnali_ < 0 || inotify_ < 0) {
    apertura_ = esito_file::del_sistema("inotify", errno);
    return;
  }
  for (const std::string& p : percorsi) {
    const std::string cartella = cartella_di(p);
    // The same folder twice gives the same watch back.
    const int w = ::inotify_add_watch(inotify_, cartella.c_str(),
                                      eventi_file | IN_ONLYDIR);
    if (w < 0) {
      apertura_ = esito_file::del_sistema(cartella, errno);
      return;
    }
    file_.push_back({w, std::filesystem::path(p).filename().string()});
  }
}

sorveglianza_file::~sorveglianza_file() {
  if (inotify_ >= 0) ::close(inotify_);
  if (segnali_ >= 0) ::close(segnali_);
  ::pthread_sigmask(SIG_SETMASK, &prima_, nullptr);
}

void sorveglianza_file::leggi_eventi(evento& e) {
  alignas(inotify_event) char spazio[16384];
  for (;;) {
    const ssize_t letti = ::read(inotify_, spazio, sizeof spazio);
    if (letti <= 0) return;
    for (ssize_t i = 0; i < letti;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(spazio + i);
      i += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
      // The queue overflowed: any file may have changed.
      const bool tutti = (ev->mask & IN_Q_OVERFLOW) != 0;
      for (std::size_t f = 0; f < file_.size(); ++f) {
        if (tutti || (ev->wd == file_[f].cartella && ev->len > 0 &&
                      file_[f].nome == ev->name))
          e.cambiati[f] = true;
      }
    }
  }
}

sorveglianza_file::evento sorveglianza_file::attendi(int millisecondi) {
  evento e;
  e.cambiati.assign(file_.size(), false);
  pollfd attese[2] = {{segnali_, POLLIN, 0}, {inotify_, POLLIN, 0}};
  const int pronti = ::poll(attese, 2, millisecondi);
  if (pronti <= 0) return e;
  if (attese[0].revents & POLLIN) {
    signalfd_siginfo info;
    if (::read(segnali_, &info, sizeof info) == sizeof info)
      e.segnale = static_cast<int>(info.ssi_signo);
  }
  if (attese[1].revents & POLLIN) leggi_eventi(e);
  return e;
}
