#include "platform/segnali.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// The paths of the temporary files that exist now. A signal handler may only
// use what it can reach without a call that allocates or locks, so the paths
// live in a fixed table of the process; this is the program's one piece of
// process-wide state, and nothing but the registry functions and the handler
// touches it. A run stages at most a few files at once.
constexpr int posti = 32;
constexpr std::size_t lunghezza_massima = 4096;

struct registro {
  volatile sig_atomic_t occupato[posti];
  char percorso[posti][lunghezza_massima];
};

registro& il_registro() {
  static registro r{};
  return r;
}

constexpr int segnali_di_fine[] = {SIGINT, SIGTERM, SIGHUP};

// Removes the registered files, then lets the signal end the program with its
// default action: the handler was reset on entry and the signal, raised
// again, is delivered as soon as the handler returns.
void al_segnale(int segnale) {
  const int errno_salvato = errno;
  registro& r = il_registro();
  for (int i = 0; i < posti; ++i) {
    if (r.occupato[i] != 0) ::unlink(r.percorso[i]);
  }
  errno = errno_salvato;
  ::raise(segnale);
}

}  // namespace

sigset_t insieme_di_fine() {
  sigset_t insieme;
  sigemptyset(&insieme);
  for (int s : segnali_di_fine) sigaddset(&insieme, s);
  return insieme;
}

void installa_gestori_segnali() {
  il_registro();  // made before any handler can run
  struct sigaction azione {};
  azione.sa_handler = al_segnale;
  azione.sa_mask = insieme_di_fine();
  azione.sa_flags = SA_RESETHAND;
  for (int s : segnali_di_fine) {
    struct sigaction prima {};
    // A signal that the caller ignores (nohup) stays ignored.
    if (::sigaction(s, nullptr, &prima) == 0 && prima.sa_handler == SIG_IGN)
      continue;
    ::sigaction(s, &azione, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

segnali_in_attesa::segnali_in_attesa() {
  const sigset_t insieme = insieme_di_fine();
  ::sigprocmask(SIG_BLOCK, &insieme, &prima_);
}

segnali_in_attesa::~segnali_in_attesa() {
  ::sigprocmask(SIG_SETMASK, &prima_, nullptr);
}

bool segnale_di_fine_in_attesa() {
  sigset_t in_attesa;
  if (::sigpending(&in_attesa) != 0) return false;
  for (int s : segnali_di_fine) {
    if (sigismember(&in_attesa, s) == 1) return true;
  }
  return false;
}

bool registra_temporaneo(const std::string& percorso) {
  if (percorso.size() >= lunghezza_massima) return false;
  registro& r = il_registro();
  for (int i = 0; i < posti; ++i) {
    if (r.occupato[i] != 0) continue;
    std::memcpy(r.percorso[i], percorso.c_str(), percorso.size() + 1);
    r.occupato[i] = 1;
    return true;
  }
  return false;
}

void dimentica_temporaneo(const std::string& percorso) {
  registro& r = il_registro();
  for (int i = 0; i < posti; ++i) {
    if (r.occupato[i] != 0 && percorso == r.percorso[i]) {
      r.occupato[i] = 0;
      return;
    }
  }
}

int temporanei_registrati() {
  int quanti = 0;
  const registro& r = il_registro();
  for (int i = 0; i < posti; ++i) quanti += r.occupato[i] != 0 ? 1 : 0;
  return quanti;
}
