#include "standin/control_table.h"

#include "standin/document_control.h"

namespace standin {
namespace {

// Functions rather than lambdas where a control is a member or takes a
// default argument, so each slot names what it forwards to.
Document* NewDocument() { return new Document(); }
void DeleteDocument(Document* document) { delete document; }
void* DocumentHandle(Document& document) { return document.Handle(); }
bool LoadOutline(Document& document, const std::string& text, std::string* error) {
  return document.LoadOutline(text, error);
}
std::string ToOutline(const Document& document) { return document.ToOutline(); }
int SlotCount(const Document& document) { return document.SlotCount(); }
void* ObjectInSlot(const Document& document, int index) { return document.ObjectInSlot(index); }
const void* CloneSourceOf(const Document& document, const void* object) {
  return document.CloneSourceOf(object);
}
std::string WidgetValueText(const WidgetValue& value) { return value.ToString(); }
int32_t ClickButton(int32_t button_id, void* document) { return Click(button_id, document); }
bool CloseWindow(int32_t window_id, void* document) {
  return SimulateUserClose(window_id, document);
}

ControlTable MakeTable() {
  ControlTable table;
  table.new_document = NewDocument;
  table.delete_document = DeleteDocument;
  table.document_handle = DocumentHandle;
  table.load_outline = LoadOutline;
  table.to_outline = ToOutline;
  table.slot_count = SlotCount;
  table.object_in_slot = ObjectInSlot;
  table.clone_source_of = CloneSourceOf;
  table.record_document_calls = RecordDocumentCalls;
  table.clear_calls = ClearCalls;
  table.host_calls = HostCalls;
  table.line_of = LineOf;
  table.read_settings_tree = ReadSettingsTree;
  table.load_settings_tree = LoadSettingsTree;
  table.reset_settings_document = ResetSettingsDocument;
  table.main_window_id = MainWindowId;
  table.find_widget = FindWidget;
  table.widget_ids = WidgetIds;
  table.widget_hooks = WidgetHooks;
  table.widget_value_text = WidgetValueText;
  table.click = ClickButton;
  table.simulate_user_close = CloseWindow;
  return table;
}

}  // namespace
}  // namespace standin

extern "C" const standin::ControlTable* ROWSHIFT_CALL Standin_ControlTable() {
  static const standin::ControlTable table = standin::MakeTable();
  return &table;
}
