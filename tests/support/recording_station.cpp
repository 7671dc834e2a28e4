#include "support/recording_station.h"

#include <string>

namespace rowshift::testing {

namespace {
std::string Text(int32_t value) { return std::to_string(value); }
}  // namespace

const char* const RecordingStation::kKey = "recorded-key";
const WideChar RecordingStation::kTitle[] = {'t', 0};

std::string RecordingStation::Name(const void* pointer) const {
  if (pointer == nullptr) return "null";
  auto label = labels_.find(pointer);
  return label == labels_.end() ? "?" : label->second;
}

void RecordingStation::Record(const std::string& operation,
                              const std::vector<std::string>& arguments) {
  std::string line = operation + "(";
  for (std::size_t index = 0; index < arguments.size(); ++index) {
    if (index > 0) line += ", ";
    line += arguments[index];
  }
  calls.push_back(line + ")");
}

void RecordingStation::GetIdentifiers(uint32_t& product, uint32_t& plugin) {
  product = 0x11111111;
  plugin = 0x22222222;
}

const WideChar* RecordingStation::GetDisplayTitle() {
  Record("GetDisplayTitle", {});
  return kTitle;
}

const char* RecordingStation::GetSubcommandKey(int32_t index) {
  Record("GetSubcommandKey", {Text(index)});
  return index == 0 ? kKey : nullptr;
}

const WideChar* RecordingStation::GetSubcommandTitle(int32_t index) {
  Record("GetSubcommandTitle", {Text(index)});
  return index == 0 ? kTitle : nullptr;
}

int32_t RecordingStation::StartUp() {
  Record("StartUp", {});
  return int_answer;
}

void RecordingStation::ShutDown() { Record("ShutDown", {}); }

int32_t RecordingStation::SetShown(void* document, int32_t flag) {
  Record("SetShown", {Name(document), Text(flag)});
  return int_answer;
}

int32_t RecordingStation::IsShown(void* document) {
  Record("IsShown", {Name(document)});
  return int_answer;
}

int32_t RecordingStation::RunSubcommand(void* document, int32_t index) {
  Record("RunSubcommand", {Name(document), Text(index)});
  return int_answer;
}

int32_t RecordingStation::HandleEvent105(void* document) {
  Record("HandleEvent105", {Name(document)});
  return int_answer;
}

void RecordingStation::HandleEvent102(void* document, int32_t value) {
  Record("HandleEvent102", {Name(document), Text(value)});
}

int32_t RecordingStation::HandleEvent103(void* document, int32_t src_product, int32_t src_id,
                                         void* description, void* message) {
  Record("HandleEvent103",
         {Name(document), Text(src_product), Text(src_id), Name(description), Name(message)});
  return int_answer;
}

void RecordingStation::HandleEvent110(void* document, void* scene, int32_t width, int32_t height) {
  Record("HandleEvent110", {Name(document), Name(scene), Text(width), Text(height)});
}

void RecordingStation::HandleEvent200(void* document, void* filename, XmlElemArgs* args) {
  Record("HandleEvent200", {Name(document), Name(filename), "{" + Name(args->xml_elem) + "}"});
}

void RecordingStation::HandleEvent204(void* document, void* filename, XmlSourceArgs* args) {
  Record("HandleEvent204",
         {Name(document), Name(filename),
          "{" + Name(args->xml_elem) + ", " + Name(args->srcdoc) + ", " + Name(args->object_table) +
              ", " + Name(args->material_table) + "}"});
}

void RecordingStation::HandleEvent201(void* document) {
  Record("HandleEvent201", {Name(document)});
}

void RecordingStation::HandleEvent202(void* document, void* filename, XmlSaveArgs* args) {
  Record("HandleEvent202", {Name(document), Name(filename),
                            "{" + Name(args->xml_elem) + ", " + Text(args->save_request) + ", " +
                                Text(args->past_state) + "}"});
  args->save_request = save_request;
}

void RecordingStation::HandleEvent203(void* document, void* filename, XmlSaveArgs* args) {
  Record("HandleEvent203", {Name(document), Name(filename),
                            "{" + Name(args->xml_elem) + ", " + Text(args->save_request) + ", " +
                                Text(args->past_state) + "}"});
  args->save_request = save_request;
}

int32_t RecordingStation::HandleEvent210(void* document, int32_t state) {
  Record("HandleEvent210", {Name(document), Text(state)});
  return int_answer;
}

int32_t RecordingStation::HandleEvent211(void* document, int32_t state) {
  Record("HandleEvent211", {Name(document), Text(state)});
  return int_answer;
}

void RecordingStation::HandleEvent212(void* document, int32_t state, int32_t size) {
  Record("HandleEvent212", {Name(document), Text(state), Text(size)});
}

void RecordingStation::HandleEvent221(void* document) {
  Record("HandleEvent221", {Name(document)});
}
void RecordingStation::HandleEvent222(void* document) {
  Record("HandleEvent222", {Name(document)});
}
void RecordingStation::HandleEvent220(void* document) {
  Record("HandleEvent220", {Name(document)});
}
void RecordingStation::HandleEvent231(void* document) {
  Record("HandleEvent231", {Name(document)});
}
void RecordingStation::HandleEvent230(void* document) {
  Record("HandleEvent230", {Name(document)});
}

void RecordingStation::HandleEvent240(void* document, void* scene) {
  Record("HandleEvent240", {Name(document), Name(scene)});
}

void RecordingStation::HandleEvent250(void* document, int32_t trigger) {
  Record("HandleEvent250", {Name(document), Text(trigger)});
}

void RecordingStation::HandleEvent7(void* document) { Record("HandleEvent7", {Name(document)}); }

bool RecordingStation::HandleEvent260(void* document, void* dstobj, void* srcobj, int32_t form,
                                      int32_t reason) {
  Record("HandleEvent260", {Name(document), Name(dstobj), Name(srcobj), Text(form), Text(reason)});
  return bool_answer;
}

void RecordingStation::HandleEvent261Vertex(void* document, uint32_t first, uint32_t second,
                                            const VertexEntry* entries, int32_t count) {
  Record("HandleEvent261Vertex",
         {Name(document), std::to_string(first), std::to_string(second), Text(count)});
  items.clear();
  items_address = entries;
  for (int32_t index = 0; index < count; ++index) {
    items.emplace_back(std::begin(entries[index].words), std::end(entries[index].words));
  }
}

void RecordingStation::HandleEvent261Apex(void* document, uint32_t first, uint32_t second,
                                          uint32_t third, const ApexEntry* entries, int32_t count) {
  Record("HandleEvent261Apex", {Name(document), std::to_string(first), std::to_string(second),
                                std::to_string(third), Text(count)});
  items.clear();
  items_address = entries;
  for (int32_t index = 0; index < count; ++index) {
    items.emplace_back(std::begin(entries[index].words), std::end(entries[index].words));
  }
}

bool RecordingStation::HandleEvent262(void* document, void* object, int32_t mode,
                                      CopyPasteArgs* args) {
  Record("HandleEvent262",
         {Name(document), Name(object), Text(mode),
          "{" + Text(args->numvert) + ", " + Text(args->numline) + ", " + Text(args->numface) +
              ", " + Name(args->data) + ", " + Text(args->size) + ", " + Name(args->vertid) + ", " +
              Name(args->faceid) + "}"});
  if (mode == 1 && bool_answer) {
    args->data = copy_data;
    args->size = copy_size;
  }
  return bool_answer;
}

int32_t RecordingStation::RunCallback(void* argument, CallbackRecord* /*record*/) {
  Record("RunCallback", {Name(argument)});
  return int_answer;
}

}  // namespace rowshift::testing
