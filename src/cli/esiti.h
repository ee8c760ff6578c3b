// The program's exit statuses, in one place.
#ifndef CLI_ESITI_H_
#define CLI_ESITI_H_

enum esito_uscita : int {
  uscita_riuscita = 0,           // everything built, no fault recorded
  uscita_errore_registrato = 1,  // a fault was recorded in a description or
                                 // in the route scan
  uscita_errore_fatale = 2,  // `errore`: " Error no. 1250" or " Error no. 1251"
  uscita_errore_file = 3,    // a file could not be read or written
  uscita_uso_errato = 64,    // a bad command line
};

#endif  // CLI_ESITI_H_
