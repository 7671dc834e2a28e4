#include "plugin/structured_events.h"

#include <cstring>
#include <memory>
#include <new>

#include "boundary/host_protocol.h"

namespace rowshift {

namespace {

constexpr int32_t kHandled = 1;
constexpr int32_t kNotHandled = 0;

// Event 260.
constexpr int32_t kVertexForm = 0;
constexpr int32_t kApexForm = 1;
constexpr int32_t kVertexConfirmed = 1;
constexpr int32_t kApexConfirmed = 2;
constexpr int32_t kDeclined = 0;

// Event 262.
constexpr int32_t kQueryMode = 0;
constexpr int32_t kCopyMode = 1;
constexpr int32_t kPasteMode = 2;
constexpr int kFirstScannedPair = 1;  // the pair after the mode word

// Event 261 host records: words before the entries, and the position of the
// count among them. Each host entry has one word more than its item: word 1,
// which nobody reads.
constexpr std::size_t kVertexHeaderWords = 4;
constexpr std::size_t kVertexCountWord = 3;
constexpr std::size_t kApexHeaderWords = 5;
constexpr std::size_t kApexCountWord = 4;
constexpr std::size_t kUnreadWord = 1;

bool Is(const char* text, const char* word) { return std::strcmp(text, word) == 0; }

// One 32-bit word of a host record, read without assuming its alignment.
uint32_t Word(const void* record, std::size_t index) {
  uint32_t word = 0;
  std::memcpy(&word, static_cast<const unsigned char*>(record) + index * sizeof word, sizeof word);
  return word;
}

int32_t SignedWord(const void* record, std::size_t index) {
  return static_cast<int32_t>(Word(record, index));
}

template <typename Entry>
Entry* NewEntries(std::size_t count) {
  return new (std::nothrow) Entry[count]();
}

// The items of one event-261 call: a fixed buffer for a few, else exactly
// `count` from the allocator.
template <typename Entry>
class EntryItems {
 public:
  static constexpr std::size_t kItemWords = sizeof(Entry::words) / sizeof(uint32_t);
  static constexpr std::size_t kHostEntryWords = kItemWords + 1;

  // False when the storage for more than kFixedEntryCapacity items cannot be had.
  bool Convert(const void* record, std::size_t header_words, int32_t count,
               Entry* (*allocate)(std::size_t)) {
    if (count > kFixedEntryCapacity) {
      heap_.reset(allocate(static_cast<std::size_t>(count)));
      if (heap_ == nullptr) return false;
    }
    Entry* items = Items();
    for (int32_t index = 0; index < count; ++index) {
      const std::size_t host_entry =
          header_words + static_cast<std::size_t>(index) * kHostEntryWords;
      items[index].words[0] = Word(record, host_entry);
      for (std::size_t word = 1; word < kItemWords; ++word) {
        items[index].words[word] = Word(record, host_entry + word + kUnreadWord);
      }
    }
    return true;
  }

  Entry* Items() { return heap_ != nullptr ? heap_.get() : fixed_; }

 private:
  Entry fixed_[kFixedEntryCapacity] = {};
  std::unique_ptr<Entry[]> heap_;
};

int32_t VertexRecord(MQStationPlugin& plugin, void* document, const void* record,
                     const EntryAllocator& allocator) {
  const int32_t count = SignedWord(record, kVertexCountWord);
  EntryItems<VertexEntry> items;
  if (!items.Convert(record, kVertexHeaderWords, count, allocator.vertex_entries)) {
    return kNotHandled;
  }
  plugin.HandleEvent261Vertex(document, Word(record, 0), Word(record, 2), items.Items(), count);
  return kHandled;
}

int32_t ApexRecord(MQStationPlugin& plugin, void* document, const void* record,
                   const EntryAllocator& allocator) {
  const int32_t count = SignedWord(record, kApexCountWord);
  EntryItems<ApexEntry> items;
  if (!items.Convert(record, kApexHeaderWords, count, allocator.apex_entries)) {
    return kNotHandled;
  }
  plugin.HandleEvent261Apex(document, Word(record, 0), Word(record, 2), Word(record, 3),
                            items.Items(), count);
  return kHandled;
}

}  // namespace

int32_t DispatchEvent260(MQStationPlugin& plugin, void* document, const NameValueList& list) {
  const char* type = list.Text(kTypeKey);
  void* result = list.Find(kResultKey);
  if (type == nullptr || result == nullptr) return kNotHandled;
  const int32_t reason = list.Int(kReasonKey, 0);
  void* dstobj = list.Find(kDestinationObjectKey);
  void* srcobj = list.Find(kSourceObjectKey);
  if (Is(type, kVertexFormWord)) {
    const bool confirmed = plugin.HandleEvent260(document, dstobj, srcobj, kVertexForm, reason);
    WriteInt(result, confirmed ? kVertexConfirmed : kDeclined);
  } else if (Is(type, kApexFormWord)) {
    const bool confirmed = plugin.HandleEvent260(document, dstobj, srcobj, kApexForm, reason);
    WriteInt(result, confirmed ? kApexConfirmed : kDeclined);
  }
  return kHandled;
}

EntryAllocator HeapEntryAllocator() {
  return EntryAllocator{&NewEntries<VertexEntry>, &NewEntries<ApexEntry>};
}

int32_t DispatchEvent261(MQStationPlugin& plugin, void* document, const NameValueList& list,
                         const EntryAllocator& allocator) {
  const char* form = list.FirstName();
  if (form == nullptr) return kNotHandled;
  const bool vertex = Is(form, kVertexFormWord);
  // An unknown form's value is never read.
  if (!vertex && !Is(form, kApexFormWord)) return kHandled;
  const void* record = list.FirstValue();
  if (record == nullptr) return kNotHandled;
  return vertex ? VertexRecord(plugin, document, record, allocator)
                : ApexRecord(plugin, document, record, allocator);
}

int32_t DispatchEvent262(MQStationPlugin& plugin, void* document, const NameValueList& list) {
  const char* mode = list.FirstName();
  if (mode == nullptr) return kNotHandled;
  void* main_value = list.FirstValue();
  auto last = [&list](const char* key) { return list.FindLast(key, kFirstScannedPair); };
  auto last_int = [&list](const char* key) { return list.LastInt(key, kFirstScannedPair, 0); };

  if (Is(mode, kQueryModeWord)) {
    if (main_value == nullptr) return kNotHandled;
    CopyPasteArgs args{};
    args.numvert = last_int(kVertexCountKey);
    args.numline = last_int(kLineCountKey);
    args.numface = last_int(kFaceCountKey);
    const bool answer = plugin.HandleEvent262(document, nullptr, kQueryMode, &args);
    const unsigned char answer_byte = answer ? 1 : 0;
    std::memcpy(main_value, &answer_byte, sizeof answer_byte);
    return kHandled;
  }
  if (Is(mode, kCopyModeWord) || Is(mode, kCutModeWord)) {
    void* size = list.FindLast(kSizeKey, kFirstScannedPair);
    if (main_value == nullptr || size == nullptr) return kNotHandled;
    CopyPasteArgs args{0, 0, 0, nullptr, 0, last(kVertexIdsKey), last(kFaceIdsKey)};
    if (plugin.HandleEvent262(document, last(kObjectKey), kCopyMode, &args)) {
      std::memcpy(main_value, &args.data, sizeof args.data);
      WriteInt(size, args.size);
    }
    return kHandled;
  }
  if (Is(mode, kPasteModeWord)) {
    CopyPasteArgs args{0, 0, 0, main_value, last_int(kSizeKey), nullptr, nullptr};
    plugin.HandleEvent262(document, last(kObjectKey), kPasteMode, &args);
    return kHandled;
  }
  return kNotHandled;
}

}  // namespace rowshift
