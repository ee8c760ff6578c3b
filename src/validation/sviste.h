// The slips that a new author makes most often, each answered with what to
// write instead: hints added to the problems that the other checks already
// find (a clock time in one field, kilometres for metres, a semicolon or a
// tab for a comma), errors for what the compiled files silently lose or read
// as something else (the same file given twice, an empty value read as 0),
// a warning of meaning (an empty [stazioni] section; the limits in force are
// in limiti.h), and what a recorded fault leaves out of the compiled files.
#ifndef VALIDATION_SVISTE_H_
#define VALIDATION_SVISTE_H_

#include <string_view>
#include <vector>

#include "core/diagnostica.h"
#include "validation/problemi.h"
#include "validation/voci.h"

// Adds to the errors already found on `d`'s lines the hint of a common slip:
// the values to write for a clock time, the metres for kilometres, the line
// with commas for one separated by semicolons or tabs (taken from `testo`,
// the description's bytes).
void aggiungi_indizi(const descrizione_letta& d, std::string_view testo,
                     std::vector<problema>& p);

// A value left empty ("pendenza, 5000,"): the compiler reads it as 0.
void controlla_valori_vuoti(const descrizione_letta& d,
                            std::vector<problema>& p);

// The same bytes given as both descriptions: no train run is read. True when
// it is so (the check of swapped files then says nothing more).
bool controlla_stesso_file(std::string_view linea, std::string_view treno,
                           std::vector<problema>& p);

// A train run with no station although its [stazioni] header is there: the
// section meant for them is empty.
void controlla_stazioni_assenti(const descrizione_letta& treno,
                                std::vector<problema>& p);

// For each fault that the compilation recorded while reading a description
// (`storia`), the note said on a line of its own: which lines of that
// description the compiled files lack, and whether the train run is read.
void aggiungi_non_letto(const std::vector<registro_errore>& storia,
                        const descrizione_letta& linea,
                        const descrizione_letta& treno,
                        std::string_view testo_linea,
                        std::string_view testo_treno, std::vector<problema>& p);

#endif  // VALIDATION_SVISTE_H_
