// Following files as an editor saves them, and the signals that end a long
// run, in one wait. An editor may write a file in place, write a new file and
// rename it over the old one, or delete the file and write it again: the
// folders are watched (inotify) and their events kept by name, so that every
// way is seen, and the file is followed even while it is missing. SIGINT,
// SIGTERM and SIGHUP are taken as events too (a signalfd): they wait, blocked,
// from the start of the watch to its end, in every thread started meanwhile,
// so that the run ends in its own time and removes what it made.
#ifndef PLATFORM_SORVEGLIANZA_H_
#define PLATFORM_SORVEGLIANZA_H_

#include <signal.h>

#include <string>
#include <vector>

#include "platform/cartella.h"

class sorveglianza_file {
 public:
  // Watches the files at `percorsi`. Call before any thread starts: the
  // threads take the blocked signals from this one.
  explicit sorveglianza_file(const std::vector<std::string>& percorsi);
  ~sorveglianza_file();
  sorveglianza_file(const sorveglianza_file&) = delete;
  sorveglianza_file& operator=(const sorveglianza_file&) = delete;

  // Success, or the folder that could not be watched and why.
  const esito_file& apertura() const { return apertura_; }

  struct evento {
    std::vector<bool> cambiati;  // by the index of the path given
    int segnale = 0;             // the signal that asks the run to end, or 0
    bool qualcosa() const;
  };
  // Waits at most `millisecondi` (-1: without end) for a change to one of the
  // files or a signal; gives what came (nothing when the time ran out).
  evento attendi(int millisecondi);

 private:
  struct osservata {
    int cartella;      // the inotify watch of its folder
    std::string nome;  // the file's name in it
  };
  void leggi_eventi(evento& e);

  std::vector<osservata> file_;
  int inotify_ = -1;
  int segnali_ = -1;
  sigset_t prima_;  // the signal mask to restore at the end
  esito_file apertura_;
};

#endif  // PLATFORM_SORVEGLIANZA_H_
