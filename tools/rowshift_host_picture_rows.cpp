#include "tools/rowshift_host_picture_rows.h"

#include <cstddef>
#include <utility>

#include "tools/rowshift_host_document.h"

namespace rowshift::tool {
namespace {

// Which objects have children, and which rows a collapsed object folds away.
void MarkTree(std::vector<PictureRow>& rows) {
  const PictureRow* next = nullptr;  // the next object down the list
  for (std::size_t i = rows.size(); i-- > 0;) {
    if (rows[i].slot.empty) continue;
    rows[i].has_children = next && next->slot.depth > rows[i].slot.depth;
    next = &rows[i];
  }
  const PictureRow* fold = nullptr;  // the collapsed object whose rows are folded
  for (PictureRow& row : rows) {
    if (!row.slot.empty && !(fold && row.slot.depth > fold->slot.depth)) fold = nullptr;
    row.folded = fold != nullptr;
    if (!row.folded && row.slot.collapsed && row.has_children) fold = &row;
  }
}

// The rows of one side, read from its outline as the host wrote it.
std::vector<PictureRow> ReadSide(const DocumentSnapshot& side) {
  outline::ParseResult parsed = outline::ParseOutline(side.text, AsTheHostHoldsIt());
  std::vector<PictureRow> rows;
  rows.reserve(parsed.rows.size());
  for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
    PictureRow row;
    row.slot = std::move(parsed.rows[i]);
    if (!row.slot.empty && i < side.objects.size()) row.object = side.objects[i];
    rows.push_back(std::move(row));
  }
  MarkTree(rows);
  return rows;
}

// The side with one row per slot, as FindMoves reads it; without rows when its
// outline does not give one per slot.
DocumentSnapshot WithRows(const DocumentSnapshot& side, const std::vector<PictureRow>& rows) {
  DocumentSnapshot snapshot{side.text, {}, side.objects, side.clone_source};
  if (rows.size() != side.objects.size()) return snapshot;
  snapshot.rows.reserve(rows.size());
  for (const PictureRow& row : rows) snapshot.rows.push_back(row.slot);
  return snapshot;
}

// Each object's row with its row on the other side; then each empty slot with
// the empty slot that follows the same row on the other side, so an empty slot
// that came or went stands unpaired.
void PairRows(const ObjectMoves& moves, PictureRows& rows) {
  std::vector<PictureRow>& before = rows.before;
  std::vector<PictureRow>& after = rows.after;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const long j = moves.slot_after[i];
    if (j < 0 || before[i].slot.empty) continue;
    before[i].partner = j;
    after[static_cast<std::size_t>(j)].partner = static_cast<long>(i);
  }
  for (std::size_t j = 0; j < after.size(); ++j) {
    if (!after[j].slot.empty) continue;
    const long above = j == 0 ? -1 : after[j - 1].partner;
    if (j > 0 && above < 0) continue;
    const auto i = static_cast<std::size_t>(above + 1);
    if (i < before.size() && before[i].slot.empty && before[i].partner < 0) {
      before[i].partner = static_cast<long>(j);
      after[j].partner = static_cast<long>(i);
    }
  }
}

void NumberMovedObjects(const DocumentSnapshot& before_side, const DocumentSnapshot& after_side,
                        PictureRows& rows) {
  std::vector<PictureRow>& before = rows.before;
  std::vector<PictureRow>& after = rows.after;
  const DocumentSnapshot first = WithRows(before_side, before);
  const DocumentSnapshot last = WithRows(after_side, after);
  if (first.rows.size() != before.size() || last.rows.size() != after.size()) return;
  const ObjectMoves moves = FindMoves(first, last);
  PairRows(moves, rows);
  std::vector<long> origin(after.size(), -1);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (moves.moved[i] && moves.slot_after[i] >= 0) {
      origin[static_cast<std::size_t>(moves.slot_after[i])] = static_cast<long>(i);
    }
  }
  const auto number = [&](std::size_t i) {
    before[i].moved = ++rows.numbered;
    if (!moves.carried[i]) ++rows.named;
  };
  for (std::size_t j = 0; j < after.size(); ++j) {
    if (origin[j] < 0) continue;
    number(static_cast<std::size_t>(origin[j]));
    after[j].moved = rows.numbered;
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (moves.moved[i] && moves.slot_after[i] < 0) number(i);
  }
}

}  // namespace

PictureRows ReadPictureRows(const DocumentSnapshot& before, const DocumentSnapshot& after) {
  PictureRows rows;
  rows.before = ReadSide(before);
  rows.after = ReadSide(after);
  NumberMovedObjects(before, after, rows);
  return rows;
}

}  // namespace rowshift::tool
