#include "tools/rowshift_host/rowshift_host_picture_rows.h"

#include <cstddef>

#include "tools/rowshift_host/rowshift_host_document.h"

namespace rowshift::tool {
namespace {

// Which objects have children, and which rows a collapsed object folds away.
void MarkTree(std::vector<PictureRow>& rows) {
  const PictureRow* next = nullptr;  // the next object down the list
  for (std::size_t i = rows.size(); i-- > 0;) {
    if (rows[i].slot().empty) continue;
    rows[i].has_children = next && next->slot().depth > rows[i].slot().depth;
    next = &rows[i];
  }
  const PictureRow* fold = nullptr;  // the collapsed object whose rows are folded
  for (PictureRow& row : rows) {
    if (!row.slot().empty && !(fold && row.slot().depth > fold->slot().depth)) fold = nullptr;
    row.folded = fold != nullptr;
    if (!row.folded && row.slot().collapsed && row.has_children) fold = &row;
  }
}

// The rows of one side: those the snapshot read already, or else those read
// here into `read` from its outline as the host wrote it.
std::vector<PictureRow> ReadSide(const DocumentSnapshot& side,
                                 std::vector<outline::OutlineRow>& read) {
  const bool lent = side.rows.size() == side.objects.size() && !side.objects.empty();
  if (!lent) read = outline::ParseOutline(side.text, AsTheHostHoldsIt()).rows;
  const std::vector<outline::OutlineRow>& slots = lent ? side.rows : read;
  std::vector<PictureRow> rows(slots.size());
  for (std::size_t i = 0; i < slots.size(); ++i) {
    rows[i].read = &slots[i];
    if (!slots[i].empty && i < side.objects.size()) rows[i].object = side.objects[i];
  }
  MarkTree(rows);
  return rows;
}

// Moves as FindMoves reads them, from one row per slot on each side; none
// where an outline does not give one per slot.
ObjectMoves MovesBetween(const DocumentSnapshot& before_side, const DocumentSnapshot& after_side,
                         const PictureRows& rows) {
  const auto one_row_per_slot = [](const DocumentSnapshot& side) {
    return side.rows.size() == side.objects.size();
  };
  if (one_row_per_slot(before_side) && one_row_per_slot(after_side)) {
    return FindMoves(before_side, after_side);  // no copy of the rows
  }
  const auto with_rows = [](const DocumentSnapshot& side, const std::vector<PictureRow>& read) {
    DocumentSnapshot snapshot{side.text, {}, side.objects, side.clone_source};
    snapshot.rows.reserve(read.size());
    for (const PictureRow& row : read) snapshot.rows.push_back(row.slot());
    return snapshot;
  };
  if (rows.before.size() != before_side.objects.size() ||
      rows.after.size() != after_side.objects.size()) {
    return {};
  }
  return FindMoves(with_rows(before_side, rows.before), with_rows(after_side, rows.after));
}

// Each object's row with its row on the other side; then each empty slot with
// the empty slot that follows the same row on the other side, so an empty slot
// that came or went stands unpaired.
void PairRows(const ObjectMoves& moves, PictureRows& rows) {
  std::vector<PictureRow>& before = rows.before;
  std::vector<PictureRow>& after = rows.after;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const long j = moves.slot_after[i];
    if (j < 0 || before[i].slot().empty) continue;
    before[i].partner = j;
    after[static_cast<std::size_t>(j)].partner = static_cast<long>(i);
  }
  for (std::size_t j = 0; j < after.size(); ++j) {
    if (!after[j].slot().empty) continue;
    const long above = j == 0 ? -1 : after[j - 1].partner;
    if (j > 0 && above < 0) continue;
    const auto i = static_cast<std::size_t>(above + 1);
    if (i < before.size() && before[i].slot().empty && before[i].partner < 0) {
      before[i].partner = static_cast<long>(j);
      after[j].partner = static_cast<long>(i);
    }
  }
}

void NumberMovedObjects(const DocumentSnapshot& before_side, const DocumentSnapshot& after_side,
                        PictureRows& rows) {
  std::vector<PictureRow>& before = rows.before;
  std::vector<PictureRow>& after = rows.after;
  const ObjectMoves moves = MovesBetween(before_side, after_side, rows);
  if (moves.slot_after.size() != before.size() || before.empty()) return;
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
  rows.before = ReadSide(before, rows.read_before);
  rows.after = ReadSide(after, rows.read_after);
  NumberMovedObjects(before, after, rows);
  return rows;
}

}  // namespace rowshift::tool
