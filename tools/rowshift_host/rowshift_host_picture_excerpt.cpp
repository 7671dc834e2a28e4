#include "tools/rowshift_host/rowshift_host_picture_excerpt.h"

#include <algorithm>

namespace rowshift::tool {
namespace {

// Rows drawn above and below each row that changed.
constexpr std::size_t kContextRows = 3;
// A shorter run is drawn: one line for it would save nothing.
constexpr std::size_t kShortestRunLeftOut = 3;

bool SameSlot(const outline::OutlineRow& a, const outline::OutlineRow& b) {
  return a.empty == b.empty && a.name == b.name && a.depth == b.depth && a.current == b.current &&
         a.selected == b.selected && a.collapsed == b.collapsed && a.ineligible == b.ineligible;
}

// A row changed when its object moved, came or went, or reads otherwise on
// the other side.
bool Changed(const PictureRow& row, const std::vector<PictureRow>& other_side) {
  if (row.moved || row.partner < 0) return true;
  const PictureRow& partner = other_side[static_cast<std::size_t>(row.partner)];
  return !SameSlot(row.slot(), partner.slot()) || row.folded != partner.folded;
}

// The rows that changed on one side, and those within reach of them.
std::vector<bool> NearChanges(const std::vector<PictureRow>& side,
                              const std::vector<PictureRow>& other_side) {
  std::vector<bool> kept(side.size(), false);
  std::size_t reach_end = 0;  // rows before this are within reach of a change above
  for (std::size_t i = 0; i < side.size(); ++i) {
    if (!Changed(side[i], other_side)) continue;
    const std::size_t from = std::max(reach_end, i > kContextRows ? i - kContextRows : 0);
    reach_end = std::min(side.size(), i + kContextRows + 1);
    std::fill(kept.begin() + static_cast<long>(from), kept.begin() + static_cast<long>(reach_end),
              true);
  }
  return kept;
}

// A kept row keeps its partner, so both sides show the same objects around a
// change.
void KeepPartners(const std::vector<PictureRow>& side, const std::vector<bool>& kept,
                  std::vector<bool>& other_kept) {
  for (std::size_t i = 0; i < side.size(); ++i) {
    if (kept[i] && side[i].partner >= 0)
      other_kept[static_cast<std::size_t>(side[i].partner)] = true;
  }
}

std::vector<DrawnLine> Lines(const std::vector<bool>& kept) {
  std::vector<DrawnLine> lines;
  for (std::size_t i = 0; i < kept.size();) {
    std::size_t end = i + 1;
    while (end < kept.size() && kept[end] == kept[i]) ++end;
    if (kept[i] || end - i < kShortestRunLeftOut) {
      for (std::size_t row = i; row < end; ++row) lines.push_back({row, 0});
    } else {
      lines.push_back({i, end - i});
    }
    i = end;
  }
  if (lines.size() > kMostLinesDrawn) {
    const DrawnLine first_cut = lines[kMostLinesDrawn];
    lines.resize(kMostLinesDrawn);
    lines.push_back({first_cut.row, kept.size() - first_cut.row});
  }
  return lines;
}

std::vector<DrawnLine> EveryRow(std::size_t rows) {
  std::vector<DrawnLine> lines(rows);
  for (std::size_t i = 0; i < rows; ++i) lines[i].row = i;
  return lines;
}

}  // namespace

PictureExcerpt ChooseLinesToDraw(const PictureRows& rows) {
  if (rows.before.size() <= kMostLinesDrawn && rows.after.size() <= kMostLinesDrawn) {
    return {EveryRow(rows.before.size()), EveryRow(rows.after.size())};
  }
  std::vector<bool> before = NearChanges(rows.before, rows.after);
  std::vector<bool> after = NearChanges(rows.after, rows.before);
  KeepPartners(rows.before, before, after);
  KeepPartners(rows.after, after, before);
  return {Lines(before), Lines(after)};
}

}  // namespace rowshift::tool
