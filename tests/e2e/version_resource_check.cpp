// The version resource of the Windows plug-in, read back from the built DLL as
// Windows reads it for the file's properties (the version library, through the
// module loader), against the version the plug-in names itself by.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "e2e/built_plugin.h"
#include "platform/module_loader.h"
#include "system/system_call.h"

namespace rowshift::testing {
namespace {

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;

// The leading fields of a version resource's fixed part, as the version
// library hands it out; the test reads no further.
struct FixedFileInfo {
  uint32_t signature;
  uint32_t structure_version;
  uint32_t file_version_high;
  uint32_t file_version_low;
  uint32_t product_version_high;
  uint32_t product_version_low;
};

// A file's whole version resource, with the two queries a reader needs.
class VersionResource {
 public:
  explicit VersionResource(const char* file) : library_(platform::LoadModule("version.dll")) {
    auto size_of =
        Resolve<uint32_t(ROWSHIFT_SYSTEM_CALL*)(const char*, uint32_t*)>("GetFileVersionInfoSizeA");
    auto read = Resolve<int32_t(ROWSHIFT_SYSTEM_CALL*)(const char*, uint32_t, uint32_t, void*)>(
        "GetFileVersionInfoA");
    query_ = Resolve<QueryFunction>("VerQueryValueA");
    if (size_of == nullptr || read == nullptr || query_ == nullptr) return;
    uint32_t unused = 0;
    block_.resize(size_of(file, &unused));
    if (block_.empty() || read(file, 0, static_cast<uint32_t>(block_.size()), block_.data()) == 0) {
      block_.clear();
    }
  }
  ~VersionResource() { platform::ReleaseModule(library_); }
  VersionResource(const VersionResource&) = delete;
  VersionResource& operator=(const VersionResource&) = delete;

  bool Found() const { return !block_.empty(); }

  const FixedFileInfo* Fixed() const {
    const void* value = Query("\\");
    return value != nullptr && length_ >= sizeof(FixedFileInfo)
               ? static_cast<const FixedFileInfo*>(value)
               : nullptr;
  }

  // A string of the US English, Unicode table; empty when it is missing.
  std::string Text(const std::string& key) const {
    const void* value = Query(("\\StringFileInfo\\040904B0\\" + key).c_str());
    return value != nullptr ? std::string(static_cast<const char*>(value)) : std::string();
  }

 private:
  using QueryFunction = int32_t(ROWSHIFT_SYSTEM_CALL*)(const void*, const char*, void**, uint32_t*);

  template <typename Function>
  Function Resolve(const char* name) {
    void* address = platform::ResolveExport(library_, name);
    Function function;
    std::memcpy(&function, &address, sizeof function);
    return function;
  }

  const void* Query(const char* path) const {
    void* value = nullptr;
    length_ = 0;
    if (!Found() || query_(block_.data(), path, &value, &length_) == 0) return nullptr;
    return value;
  }

  platform::ModuleHandle library_;
  QueryFunction query_ = nullptr;
  std::vector<char> block_;
  mutable uint32_t length_ = 0;
};

std::string Dotted(uint32_t high, uint32_t low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
         std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
}

TEST(VersionResource, CarriesTheVersionAndNoticeOfThePluginsName) {
  BuiltPlugin plugin;
  ASSERT_TRUE(plugin.HasEveryExport());
  // "Rowshift v.<major>.<minor>", six spaces, the notice.
  const std::string name = plugin.MQGetPlugInName();
  const std::string lead = "Rowshift v.";
  const std::size_t gap = name.find("      ");
  ASSERT_EQ(name.rfind(lead, 0), 0u) << name;
  ASSERT_NE(gap, std::string::npos) << name;
  const std::string named_version = name.substr(lead.size(), gap - lead.size());
  const std::string notice = name.substr(gap + 6);

  VersionResource resource(ROWSHIFT_PLUGIN_FILE);
  ASSERT_TRUE(resource.Found());
  const FixedFileInfo* fixed = resource.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->signature, kFixedInfoSignature);
  const std::string file_version = Dotted(fixed->file_version_high, fixed->file_version_low);
  EXPECT_EQ(file_version.rfind(named_version + ".", 0), 0u) << file_version << " vs " << name;
  EXPECT_EQ(file_version, ROWSHIFT_TEST_FILE_VERSION) << "the build number is the fourth part";
  EXPECT_EQ(Dotted(fixed->product_version_high, fixed->product_version_low), file_version);
  EXPECT_EQ(resource.Text("FileVersion"), file_version);
  EXPECT_EQ(resource.Text("ProductVersion"), file_version);

  EXPECT_EQ(resource.Text("ProductName"), "Rowshift");
  EXPECT_EQ(resource.Text("OriginalFilename"), "Rowshift.dll");
  EXPECT_NE(resource.Text("FileDescription"), "");
  const std::string copyright = resource.Text("LegalCopyright");
  EXPECT_EQ(copyright.rfind(notice, 0), 0u) << copyright;
  EXPECT_NE(copyright.find("MIT licence"), std::string::npos) << copyright;
}

}  // namespace
}  // namespace rowshift::testing
