#include "train_run/geometria.h"

#include "core/aritmetica.h"
#include "tables/metri.h"

celle_rallentamento celle_del_rallentamento(int64_t inizio, int64_t lunghezza) {
  const auto avviso = static_cast<double>(inizio - anticipo_avviso);
  celle_rallentamento c;
  c.con_avviso = inizio > ultimo_inizio_senza_avviso;
  c.avviso = cella_del_metro(avviso, aggancio::punto);
  c.inizio = cella_del_metro(static_cast<double>(inizio), aggancio::punto);
  c.fine =
      cella_del_metro(static_cast<double>(inizio + lunghezza), aggancio::punto);
  c.prima_dell_avviso = cella_del_metro(avviso, aggancio::tratto);
  return c;
}

int64_t meta_lunghezza(int64_t lunghezza) { return lunghezza / 2; }

int64_t coda_della_stazione(bool coda) { return coda ? 50 : 0; }

area_stazione area_della_stazione(int64_t posizione, int64_t tipo,
                                  int64_t lunghezza, bool coda) {
  if (tipo == 5 || tipo == 6) return {posizione - lunghezza, posizione + 150};
  if (tipo == 7 || tipo == 8)
    return {posizione - lunghezza, posizione + lunghezza};
  const int64_t meta = meta_lunghezza(lunghezza);
  return {posizione - meta, posizione + meta + coda_della_stazione(coda)};
}

double quoto_fermata(int64_t fine) {
  return static_cast<double>(fine) / metri_per_cella - 1;
}

bool ha_fermata(int64_t fine) { return quoto_fermata(fine) > 1; }

int64_t cella_della_fermata(int64_t fine) {
  return static_cast<int64_t>(arrotonda(quoto_fermata(fine)));
}

double quoto_avvicinamento(int64_t fine, int k) {
  return static_cast<double>(fine) / metri_per_cella - k - 1;
}

bool passa_la_mezzanotte(int64_t orario_prima, int64_t orario_dopo) {
  return orario_prima - orario_dopo > secondi_giorno / 2;
}
