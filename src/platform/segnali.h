// What the program does when a signal ends it: no temporary file is left
// behind. Every file that a folder of the disk creates stays registered until
// it is renamed over its final name or deleted; SIGINT, SIGTERM and SIGHUP
// remove the registered files and end the program as the signal would have
// (the shell then sees the status 128 + the signal's number). SIGXFSZ is
// ignored, so that a write beyond the file-size limit fails with EFBIG and is
// reported as any failed write is.
#ifndef PLATFORM_SEGNALI_H_
#define PLATFORM_SEGNALI_H_

#include <signal.h>

#include <string>

// Installs the handlers; called once, at the start of the program.
void installa_gestori_segnali();

// SIGINT, SIGTERM and SIGHUP: the signals that end a run.
sigset_t insieme_di_fine();

// Keeps SIGINT, SIGTERM and SIGHUP waiting while it lives, so that creating
// or renaming a file and its registration happen as one step for a handler.
class segnali_in_attesa {
 public:
  segnali_in_attesa();
  ~segnali_in_attesa();
  segnali_in_attesa(const segnali_in_attesa&) = delete;
  segnali_in_attesa& operator=(const segnali_in_attesa&) = delete;

 private:
  sigset_t prima_;  // the mask to restore: the signals may wait already
};

// True when SIGINT, SIGTERM or SIGHUP waits to be delivered: a publication
// that finds one undoes its set, so that the run ends having changed nothing.
bool segnale_di_fine_in_attesa();

// Registers a file to remove if a signal ends the program. False when the
// registry is full or the path too long: the file then simply is not removed.
// Call with the signals waiting.
bool registra_temporaneo(const std::string& percorso);
// The file has been renamed or deleted: a signal no longer removes it. Call
// with the signals waiting.
void dimentica_temporaneo(const std::string& percorso);
// How many files are registered now (for the tests).
int temporanei_registrati();

#endif  // PLATFORM_SEGNALI_H_
