#include <string>
#include <vector>

#include "outline/outline.h"
#include "standin/document_control.h"
#include "standin/document_registry.h"
#include "standin/document_state.h"

namespace standin {
namespace {

constexpr int32_t kFlagSet = 1;
constexpr int32_t kFlagClear = 0;

int32_t Flag(bool on) { return on ? kFlagSet : kFlagClear; }

}  // namespace

Document::Document() : state_(std::make_unique<DocumentState>()) {
  RegisterDocument(Handle(), state_.get());
}

Document::~Document() { UnregisterDocument(Handle()); }

bool Document::LoadOutline(const std::string& text, std::string* error) {
  state_->Clear();
  const rowshift::outline::ParseResult parsed = rowshift::outline::ParseOutline(text);
  if (parsed.error) {
    if (error != nullptr) {
      *error = "line " + std::to_string(parsed.error->line) + ": " + parsed.error->message;
    }
    return false;
  }
  for (const rowshift::outline::OutlineRow& row : parsed.rows) {
    if (row.current) state_->current_index = state_->SlotCount();
    if (row.empty) {
      state_->AppendSlot(nullptr);
      continue;
    }
    ObjectRecord* object = state_->NewObject();
    object->name = row.name;
    object->SetValue(ObjectValueId::Depth, row.depth);
    object->SetValue(ObjectValueId::Collapsed, Flag(row.collapsed));
    object->SetValue(ObjectValueId::Eligible, Flag(!row.ineligible));
    object->SetValue(ObjectValueId::Selected, Flag(row.selected));
    state_->AppendSlot(object);
  }
  return true;
}

std::string Document::ToOutline() const {
  std::vector<rowshift::outline::OutlineRow> rows;
  const std::vector<ObjectRecord*> slots = state_->Slots();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    rowshift::outline::OutlineRow row;
    row.current = static_cast<int32_t>(i) == state_->current_index;
    const ObjectRecord* object = slots[i];
    if (object == nullptr) {
      row.empty = true;
    } else {
      row.name = object->name;
      row.depth = object->Value(ObjectValueId::Depth);
      row.collapsed = object->Value(ObjectValueId::Collapsed) != 0;
      row.ineligible = object->Value(ObjectValueId::Eligible) == 0;
      row.selected = object->Value(ObjectValueId::Selected) != 0;
    }
    rows.push_back(row);
  }
  return rowshift::outline::FormatOutline(rows);
}

void Document::FailNthInsertion(int n) {
  state_->insertions_until_failure = n > 0 ? n : 0;
  state_->refused_insertion.clear();
}

std::string Document::RefusedInsertion() const { return state_->refused_insertion; }

int Document::DeadObjectTouches() const { return state_->dead_object_touches; }

int Document::OrphanedClones() const { return state_->OrphanedClones(); }

void* Document::ObjectInSlot(int index) const { return state_->ObjectAt(index); }

int Document::SlotCount() const { return state_->SlotCount(); }

const void* Document::CloneSourceOf(const void* object) const {
  if (object == nullptr || OwnerOf(object) != state_.get()) return nullptr;
  return static_cast<const ObjectRecord*>(object)->cloned_from;
}

void Document::SetValueInSlot(int index, int32_t value_id, int32_t value) {
  ObjectRecord* object = state_->ObjectAt(index);
  if (object != nullptr) state_->SetValue(object, value_id, value);
}

int StrayObjectTouches() { return StrayObjectTouchCount(); }

void ResetStrayObjectTouches() { ResetStrayObjectTouchCount(); }

}  // namespace standin
