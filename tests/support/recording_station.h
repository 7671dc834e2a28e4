// A station plug-in that records which operation was called with which
// arguments, one line per call, and answers what the test set.
//
// Pointers are written by the label a test gave them ("doc", "scene"), "null"
// for null, and "?" for any other. Records passed by pointer are written out
// field by field, so a line shows what the operation received.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "plugin/station_plugin.h"

namespace rowshift::testing {

class RecordingStation : public MQStationPlugin {
 public:
  void Label(const void* pointer, std::string label) { labels_[pointer] = std::move(label); }

  std::vector<std::string> calls;

  // What the recorded operations answer.
  int32_t int_answer = 0;
  bool bool_answer = false;
  int32_t save_request = 0;   // written into XmlSaveArgs by 202/203
  void* copy_data = nullptr;  // written into CopyPasteArgs by a copy
  int32_t copy_size = 0;

  // The items the last event-261 operation received, and where they were.
  std::vector<std::vector<uint32_t>> items;
  const void* items_address = nullptr;

  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override;
  const char* GetNameText() override { return "recording"; }
  int32_t GetKind() override { return 6; }

  const WideChar* GetDisplayTitle() override;
  const char* GetSubcommandKey(int32_t index) override;
  const WideChar* GetSubcommandTitle(int32_t index) override;
  int32_t StartUp() override;
  void ShutDown() override;
  int32_t SetShown(void* document, int32_t flag) override;
  int32_t IsShown(void* document) override;
  int32_t RunSubcommand(void* document, int32_t index) override;
  int32_t HandleEvent105(void* document) override;
  void HandleEvent102(void* document, int32_t value) override;
  int32_t HandleEvent103(void* document, int32_t src_product, int32_t src_id, void* description,
                         void* message) override;
  void HandleEvent110(void* document, void* scene, int32_t width, int32_t height) override;
  void HandleEvent200(void* document, void* filename, XmlElemArgs* args) override;
  void HandleEvent204(void* document, void* filename, XmlSourceArgs* args) override;
  void HandleEvent201(void* document) override;
  void HandleEvent202(void* document, void* filename, XmlSaveArgs* args) override;
  void HandleEvent203(void* document, void* filename, XmlSaveArgs* args) override;
  int32_t HandleEvent210(void* document, int32_t state) override;
  int32_t HandleEvent211(void* document, int32_t state) override;
  void HandleEvent212(void* document, int32_t state, int32_t size) override;
  void HandleEvent221(void* document) override;
  void HandleEvent222(void* document) override;
  void HandleEvent220(void* document) override;
  void HandleEvent231(void* document) override;
  void HandleEvent230(void* document) override;
  void HandleEvent240(void* document, void* scene) override;
  void HandleEvent250(void* document, int32_t trigger) override;
  void HandleEvent7(void* document) override;
  bool HandleEvent260(void* document, void* dstobj, void* srcobj, int32_t form,
                      int32_t reason) override;
  void HandleEvent261Vertex(void* document, uint32_t first, uint32_t second,
                            const VertexEntry* entries, int32_t count) override;
  void HandleEvent261Apex(void* document, uint32_t first, uint32_t second, uint32_t third,
                          const ApexEntry* entries, int32_t count) override;
  bool HandleEvent262(void* document, void* object, int32_t mode, CopyPasteArgs* args) override;
  int32_t RunCallback(void* argument, CallbackRecord* record) override;

  // Answers of the sub-command queries.
  static const char* const kKey;
  static const WideChar kTitle[];

 private:
  std::string Name(const void* pointer) const;
  void Record(const std::string& operation, const std::vector<std::string>& arguments);

  std::map<const void*, std::string> labels_;
};

}  // namespace rowshift::testing
