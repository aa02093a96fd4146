// Analysis of the built-in catalogue (see catalogue_report.h).
#include "tools/nonogram/catalogue_report.h"

#include <map>

#include "game/levels/catalogue.h"
#include "game/levels/levels.h"
#include "tools/nonogram/fixed_entries.h"
#include "tools/nonogram/pictures.h"

namespace nonogram {

std::vector<EntryReport> ReportCatalogue() {
  std::vector<EntryReport> out;
  for (int number = 1; number <= kCatalogueSize + 1; ++number) {
    EntryReport e;
    e.number = number;
    e.text = CatalogueText(number);
    const std::string bits = p_GetLevDat(number).ToNarrow();
    e.decodedLength = static_cast<int>(bits.size());
    e.distance = MapDistance(number);
    e.fixed = IsFixed(number) || number > kCatalogueSize;
    if (std::optional<Picture> picture = PictureFromBits(bits)) {
      e.binary = true;
      const Analysis a = Analyze(*picture);
      e.solutions = a.solutions;
      e.lineSolvable = a.lineSolvable;
      e.difficulty = a.difficulty;
    }
    out.push_back(e);
  }
  return out;
}

std::vector<RingMean> RingMeans(const std::vector<EntryReport> &entries) {
  std::map<int, RingMean> rings;
  for (const EntryReport &e : entries) {
    if (e.fixed || e.number == kTwinNumber) continue;
    RingMean &r = rings[e.distance];
    r.distance = e.distance;
    ++r.entries;
    r.meanDifficulty += e.difficulty;
  }
  std::vector<RingMean> out;
  for (auto &[distance, r] : rings) {
    r.meanDifficulty /= r.entries;
    out.push_back(r);
  }
  return out;
}

RingThirds ThirdsOf(const std::vector<RingMean> &rings) {
  double sum[3] = {0, 0, 0};
  int count[3] = {0, 0, 0};
  const int n = static_cast<int>(rings.size());
  for (int i = 0; i < n; ++i) {
    const int third = i * 3 / n;
    sum[third] += rings[i].meanDifficulty * rings[i].entries;
    count[third] += rings[i].entries;
  }
  RingThirds t;
  double *means[3] = {&t.inner, &t.middle, &t.outer};
  for (int i = 0; i < 3; ++i) *means[i] = count[i] ? sum[i] / count[i] : 0;
  return t;
}

} // namespace nonogram
