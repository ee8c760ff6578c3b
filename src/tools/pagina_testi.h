// Every word that the report page shows, in one place (UTF-8). The page's
// script gets its own words from here too.
#ifndef TOOLS_PAGINA_TESTI_H_
#define TOOLS_PAGINA_TESTI_H_

namespace parole {

// Headings and summary.
inline constexpr const char* treno = "treno";
inline constexpr const char* percorso_di = "Percorso di";
inline constexpr const char* conta_stazioni = "stazioni";
inline constexpr const char* conta_segnali = "segnali";
inline constexpr const char* conta_indicatori =
    "indicatori di velocità massima";
inline constexpr const char* conta_cartelli = "cartelli";
inline constexpr const char* conta_rallentamenti = "rallentamenti";
inline constexpr const char* conta_gallerie = "gallerie";
inline constexpr const char* conta_problemi = "problemi";
inline constexpr const char* documenti = "Documenti per il macchinista";
inline constexpr const char* mappa = "Mappa";
inline constexpr const char* profili = "Profili lungo il percorso";
inline constexpr const char* orario = "Orario";
inline constexpr const char* stazioni = "Stazioni";
inline constexpr const char* segnali = "Segnali";
inline constexpr const char* indicatori = "Indicatori di velocità massima";
inline constexpr const char* cartelli = "Cartelli";
inline constexpr const char* rallentamenti = "Rallentamenti";
inline constexpr const char* gallerie = "Gallerie";
inline constexpr const char* codici = "Codici di velocità";
inline constexpr const char* problemi = "Problemi della compilazione";
inline constexpr const char* elenchi = "Elenchi";
inline constexpr const char* nessun_problema = "Nessun errore registrato.";
inline constexpr const char* problemi_non_noti =
    "Non noto: la pagina è costruita dai soli file binari; "
    "<code>scenario_builder compile --report</code> riporta i problemi "
    "della compilazione.";
inline constexpr const char* senza_geometria =
    "Geometria della linea non disponibile (file *_linea.dat assente o "
    "compilato con --no-plan).";
inline constexpr const char* senza_script =
    "Senza script la pagina mostra tutto il percorso; con gli script si può "
    "ingrandire, cercare e ordinare le tabelle.";

// The legends of the drawings.
inline constexpr const char* legenda_stazione = "stazione";
inline constexpr const char* legenda_segnale = "segnale";
inline constexpr const char* legenda_indicatore = "indicatore di velocità";
inline constexpr const char* legenda_cartello = "cartello";
inline constexpr const char* legenda_codice = "codice di velocità";
inline constexpr const char* legenda_galleria = "galleria";
inline constexpr const char* legenda_rallentamento = "rallentamento";
inline constexpr const char* legenda_errore = "errore";
inline constexpr const char* legenda_avviso = "avviso";
inline constexpr const char* legenda_non_letto = "non letto";
inline constexpr const char* legenda_limite = "limite del treno";
inline constexpr const char* legenda_indicatori =
    "indicatori A, B, C (sinistra)";
inline constexpr const char* legenda_oltre = "tracciato oltre il percorso";
inline constexpr const char* nota_mappa =
    "Tracciato ruotato: inizio a sinistra, fine a destra.";

// Panels of the profiles.
inline constexpr const char* pannello_quota = "Altimetria (m, dalle pendenze)";
inline constexpr const char* pannello_velocita = "Velocità (km/h)";
inline constexpr const char* pannello_curvatura =
    "Curvatura (1/km, destra positiva)";
inline constexpr const char* senza_curvatura = "geometria non disponibile";
inline constexpr const char* km = "km";
inline constexpr const char* progr = "progr.";

// What an item is, in its tooltip and its table.
inline constexpr const char* stazione = "Stazione";
inline constexpr const char* segnale = "Segnale";
inline constexpr const char* indicatore = "Indicatore di velocità massima";
inline constexpr const char* cartello = "Cartello";
inline constexpr const char* codice = "Codice di velocità";
inline constexpr const char* codice_senza_valore = "senza valore";
inline constexpr const char* galleria_di_tipo = "Galleria di tipo";
inline constexpr const char* rallentamento_a = "Rallentamento a";
inline constexpr const char* non_letto_linea =
    "Non letto: la lettura della descrizione della linea si è fermata a";
inline constexpr const char* non_letto_treno =
    "Non letto: la lettura della descrizione del treno si è fermata a";
inline constexpr const char* errore = "errore";
inline constexpr const char* avviso = "avviso";
inline constexpr const char* cella = "cella";
inline constexpr const char* a = "a";
inline constexpr const char* da = "da";
inline constexpr const char* sinistra = "sinistra";
inline constexpr const char* destra = "destra";
inline constexpr const char* strisce = "strisce";
inline constexpr const char* tipo = "tipo";
inline constexpr const char* area = "area";
inline constexpr const char* fermata = "fermata";

// Table columns.
inline constexpr const char* col_numero = "N.";
inline constexpr const char* col_record = "Record";
inline constexpr const char* col_posizione = "Posizione (m)";
inline constexpr const char* col_progressiva = "Progressiva (km)";
inline constexpr const char* col_stazione = "Stazione";
inline constexpr const char* col_tipo = "Tipo";
inline constexpr const char* col_area = "Area (m)";
inline constexpr const char* col_orario = "Orario";
inline constexpr const char* col_sinistra = "Sinistra";
inline constexpr const char* col_destra = "Destra";
inline constexpr const char* col_rapp = "Rapp.";
inline constexpr const char* col_tempo = "Tempo";
inline constexpr const char* col_testo = "Testo";
inline constexpr const char* col_da = "Da (m)";
inline constexpr const char* col_a = "A (m)";
inline constexpr const char* col_lunghezza = "Lunghezza (m)";
inline constexpr const char* col_velocita = "Velocità (km/h)";
inline constexpr const char* col_valore = "Valore";
inline constexpr const char* col_gravita = "Gravità";
inline constexpr const char* col_dove = "Dove";
inline constexpr const char* col_messaggio = "Messaggio";

// The script's words: the controls, the search and the self-check.
inline constexpr const char* riduci = "Riduci";
inline constexpr const char* ingrandisci = "Ingrandisci";
inline constexpr const char* indietro = "Indietro";
inline constexpr const char* avanti = "Avanti";
inline constexpr const char* tutto = "Tutto il percorso";
inline constexpr const char* cerca = "Cerca";
inline constexpr const char* cerca_suggerimento =
    "stazione, segnale, cartello o metri";
inline constexpr const char* vista_da = "Vista da";
inline constexpr const char* nessun_risultato = "nessun risultato";
inline constexpr const char* risultato_di = "di";

}  // namespace parole

#endif  // TOOLS_PAGINA_TESTI_H_
