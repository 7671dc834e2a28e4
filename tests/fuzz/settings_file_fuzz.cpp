// rowshift-host's settings file on any bytes: a refused file is left byte for
// byte as it was, and the reader as it was before; an accepted one, written
// back, reads as the same tree, and a second write gives the same bytes as the
// first. The bytes saved as a new value are written so that they read back as
// they are, or refused with the file left as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "tools/settings_file/settings_file.h"

namespace rowshift::testing {
namespace {

// One file for the whole run, named so that runs side by side do not share it,
// and removed at exit.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() /
               ("rowshift_settings_file_fuzz_" + name + std::to_string(std::random_device()()) +
                ".xml"))
                  .string()) {}
  ~ScratchFile() { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const std::string& ScratchPath() {
  static const ScratchFile file("");
  return file.Path();
}

// A file a reader reads well before it is given the bytes.
const std::string& KeptPath() {
  static const ScratchFile file("kept_");
  return file.Path();
}
const char kKeptContent[] = "<root><a>1</a></root>";

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Same names, texts and children, and no deeper than the file may nest.
bool SameTree(const standin::SettingsNode& a, const standin::SettingsNode& b) {
  std::vector<std::pair<const standin::SettingsNode*, const standin::SettingsNode*>> pending{
      {&a, &b}};
  while (!pending.empty()) {
    const auto [left, right] = pending.back();
    pending.pop_back();
    if (left->name != right->name || left->text != right->text ||
        left->children.size() != right->children.size()) {
      return false;
    }
    for (std::size_t i = 0; i < left->children.size(); ++i) {
      pending.emplace_back(&left->children[i], &right->children[i]);
    }
  }
  return true;
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace rowshift;
  using testing::Require;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string& path = testing::ScratchPath();
  testing::WriteBytes(path, bytes);

  tool::SettingsFile file;
  std::string error;
  if (!file.Read(path, &error)) {
    Require(!error.empty(), "a refused file is explained");
    Require(testing::ReadBytes(path) == bytes, "a refused file is left as it was");
    testing::WriteBytes(testing::KeptPath(), testing::kKeptContent);
    tool::SettingsFile kept;
    Require(kept.Read(testing::KeptPath(), &error), "a plain file is accepted");
    const standin::SettingsNode kept_tree = *kept.Tree();
    Require(!kept.Read(path, &error), "a refused file is refused again");
    Require(kept.Tree() && testing::SameTree(*kept.Tree(), kept_tree),
            "a refused file leaves the reader as it was");
    return 0;
  }
  if (!file.Tree()) return 0;  // blank: nothing to keep
  const standin::SettingsNode tree = *file.Tree();
  Require(file.Write(tree, &error), "an accepted file is written back");
  const std::string first = testing::ReadBytes(path);

  tool::SettingsFile reread;
  Require(reread.Read(path, &error), "a written file is accepted");
  Require(reread.Tree() && testing::SameTree(*reread.Tree(), tree),
          "a written file reads as the same tree");
  Require(reread.Write(*reread.Tree(), &error), "a written file is written again");
  Require(testing::ReadBytes(path) == first, "a second write gives the same bytes");

  standin::SettingsNode changed = tree;
  changed.children.push_back({"Saved", bytes, {}});
  if (reread.Write(changed, &error)) {
    tool::SettingsFile last;
    Require(last.Read(path, &error), "a guarded write is accepted");
    Require(last.Tree() && testing::SameTree(*last.Tree(), changed),
            "a guarded write reads as the tree written");
  } else {
    Require(testing::ReadBytes(path) == first, "a refused write leaves the file as it was");
  }
  return 0;
}
