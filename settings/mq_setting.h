// The accessor of one plug-in's section of the host's settings document.
//
// Each key is one child element of the section, named by the key, holding the
// value as its text; a load reads the first element of the key. A save
// replaces the key's element at once in the host's document: it adds a new
// element with the text, then removes the older ones it finds first. When the
// host refuses the add, the old element stays as it was; when it refuses a
// removal, the element it kept gets the saved text too, so the next load reads
// what was saved, and a later save removes it. A load never creates anything;
// deleting the accessor writes nothing.
//
// The elements belong to the host. A null section element (the host could not
// make the section) is allowed: loads then give the defaults and saves do
// nothing, and no host call is made. Keys are narrow text in the system code
// page; a null key behaves like a missing one and is never saved.
#pragma once

namespace rowshift {

class MQSetting {
 public:
  MQSetting(void* plugin_settings_element, void* section_element)
      : plugin_settings_element_(plugin_settings_element), section_element_(section_element) {}
  virtual ~MQSetting() = default;

  MQSetting(const MQSetting&) = delete;
  MQSetting& operator=(const MQSetting&) = delete;

  // What LoadInteger gives for a key that is missing or whose text is empty.
  static constexpr int kNotStored = -1;

  // The key's integer, or kNotStored.
  void LoadInteger(const char* key, int& value) const;
  // Stores the value as decimal text.
  void SaveInteger(const char* key, int value);

  // True when the key's decimal value is not 0; false when missing or empty.
  void LoadFlag(const char* key, bool& value) const;
  // Stores "1" or "0".
  void SaveFlag(const char* key, bool value);

 private:
  // The decimal value of the key's text; false when the key is missing or its
  // text is empty.
  bool LoadDecimal(const char* key, int& decimal_value) const;
  void SaveDecimal(const char* key, int value);

  // The level-1 element the section was found in; every value operation works
  // on the section's children, so none reads it.
  [[maybe_unused]] void* plugin_settings_element_;
  void* section_element_;
};

}  // namespace rowshift
