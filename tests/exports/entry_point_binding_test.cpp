// Binding the host entry points by name: which entries a module fills, what a
// missing name leaves behind, and what a second binding overwrites.
#include "exports/entry_point_binding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "boundary/host_function_list.h"
#include "platform/module_loader.h"
#include "support/host_module_file.h"

namespace rowshift::testing {
namespace {

// An address no module exports: entries holding it were not written.
void ROWSHIFT_CALL NotAHostFunction() {}

// The table's entries as raw addresses, in the order of the name list.
std::vector<void*> Entries(const HostFunctionTable& table) {
  std::vector<void*> entries;
  auto add = [&entries](const auto& entry) {
    void* address;
    std::memcpy(&address, &entry, sizeof address);
    entries.push_back(address);
  };
#define ROWSHIFT_ADD_CALLED(name, result, params) add(table.name);
#define ROWSHIFT_ADD_RESOLVED(name) add(table.name);
  ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_ADD_CALLED, ROWSHIFT_ADD_RESOLVED)
#undef ROWSHIFT_ADD_CALLED
#undef ROWSHIFT_ADD_RESOLVED
  return entries;
}

// A table whose every entry holds NotAHostFunction.
HostFunctionTable MarkedTable() {
  HostFunctionTable table;
  auto mark = [](auto& entry) {
    void (*marker)() = &NotAHostFunction;
    std::memcpy(&entry, &marker, sizeof entry);
  };
#define ROWSHIFT_MARK_CALLED(name, result, params) mark(table.name);
#define ROWSHIFT_MARK_RESOLVED(name) mark(table.name);
  ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_MARK_CALLED, ROWSHIFT_MARK_RESOLVED)
#undef ROWSHIFT_MARK_CALLED
#undef ROWSHIFT_MARK_RESOLVED
  return table;
}

void* Marker() {
  void (*marker)() = &NotAHostFunction;
  void* address;
  std::memcpy(&address, &marker, sizeof address);
  return address;
}

bool IsBound(void* entry) { return entry != nullptr && entry != Marker(); }

TEST(EntryPointBinding, ModuleWithEveryNameFillsAll191Entries) {
  HostFunctionTable table = MarkedTable();
  EXPECT_EQ(BindHostFunctions(HostModuleFile("mqhost").c_str(), table), 1);
  const std::vector<void*> entries = Entries(table);
  ASSERT_EQ(entries.size(), 191u);
  for (std::size_t index = 0; index < entries.size(); ++index) {
    EXPECT_TRUE(IsBound(entries[index])) << "entry " << index + 1;
  }
}

TEST(EntryPointBinding, ModuleLackingTheLastNameFillsTheFirst190) {
  HostFunctionTable table = MarkedTable();
  EXPECT_EQ(BindHostFunctions(HostModuleFile("mqhost_lacking_last").c_str(), table), 0);
  const std::vector<void*> entries = Entries(table);
  for (std::size_t index = 0; index + 1 < entries.size(); ++index) {
    EXPECT_TRUE(IsBound(entries[index])) << "entry " << index + 1;
  }
  EXPECT_EQ(entries.back(), nullptr);
}

TEST(EntryPointBinding, ModuleLackingTheFirstNameWritesOnlyThatEntry) {
  HostFunctionTable table = MarkedTable();
  EXPECT_EQ(BindHostFunctions(HostModuleFile("mqhost_lacking_first").c_str(), table), 0);
  const std::vector<void*> entries = Entries(table);
  EXPECT_EQ(entries.front(), nullptr);
  for (std::size_t index = 1; index < entries.size(); ++index) {
    EXPECT_EQ(entries[index], Marker()) << "entry " << index + 1;
  }
}

// The 191 names in the order of the table.
std::vector<const char*> Names() {
  std::vector<const char*> names;
#define ROWSHIFT_NAME_CALLED(name, result, params) names.push_back(#name);
#define ROWSHIFT_NAME_RESOLVED(name) names.push_back(#name);
  ROWSHIFT_HOST_FUNCTIONS(ROWSHIFT_NAME_CALLED, ROWSHIFT_NAME_RESOLVED)
#undef ROWSHIFT_NAME_CALLED
#undef ROWSHIFT_NAME_RESOLVED
  return names;
}

TEST(EntryPointBinding, ASecondBindingOverwritesTheEntriesItReaches) {
  HostFunctionTable table = MarkedTable();
  ASSERT_EQ(BindHostFunctions(HostModuleFile("mqhost").c_str(), table), 1);
  const std::vector<void*> first = Entries(table);
  // Held here so the addresses the second binding finds stay comparable.
  const std::string other_file = HostModuleFile("mqhost_lacking_last");
  platform::ModuleHandle other = platform::LoadModule(other_file.c_str());
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(BindHostFunctions(other_file.c_str(), table), 0);
  const std::vector<void*> second = Entries(table);
  const std::vector<const char*> names = Names();
  for (std::size_t index = 0; index + 1 < second.size(); ++index) {
    EXPECT_EQ(second[index], platform::ResolveExport(other, names[index])) << names[index];
    EXPECT_NE(second[index], first[index]) << names[index];
  }
  EXPECT_EQ(second.back(), nullptr);
  platform::ReleaseModule(other);
}

TEST(EntryPointBinding, FileThatIsNoModuleLeavesTheTableUntouched) {
  HostFunctionTable table = MarkedTable();
  EXPECT_EQ(BindHostFunctions(HostModuleFile("no_such_host").c_str(), table), 0);
  EXPECT_EQ(BindHostFunctions(ROWSHIFT_PLUGIN_FILE ".missing", table), 0);
  EXPECT_EQ(BindHostFunctions(nullptr, table), 0);
  for (void* entry : Entries(table)) EXPECT_EQ(entry, Marker());
}

}  // namespace
}  // namespace rowshift::testing
