// Labels that never overlap: each label takes the first of its places that
// stays inside the drawing and meets no label or mark already placed; a label
// that finds none is left out.
#ifndef PAGE_PAGINA_ETICHETTE_H_
#define PAGE_PAGINA_ETICHETTE_H_

#include <optional>
#include <string>
#include <vector>

#include "page/pagina_voci.h"

struct scatola_etichetta {
  double x0, y0, x1, y1;
};

bool si_sovrappongono(const scatola_etichetta& a, const scatola_etichetta& b);

class collocatore_etichette {
 public:
  explicit collocatore_etichette(const scatola_etichetta& area) : area_(area) {}

  void occupa(const scatola_etichetta& r) { presi_.push_back(r); }
  // The place of `posti` where a label of `testo` (UTF-8) in type size `corpo`
  // fits beside the point (x, y), or nothing; the place found is taken.
  std::optional<posto_etichetta> colloca(
      double x, double y, const std::string& testo, double corpo,
      const std::vector<posto_etichetta>& posti);

 private:
  scatola_etichetta area_;
  std::vector<scatola_etichetta> presi_;
};

// The box a label takes on the page, from an estimate of its width (the page's
// script measures the real one).
scatola_etichetta riquadro_etichetta(double x, double y,
                                     const std::string& testo, double corpo,
                                     const posto_etichetta& p);

#endif  // PAGE_PAGINA_ETICHETTE_H_
