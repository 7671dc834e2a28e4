// Loading the stand-in host module by file name, resolving its exports by name
// and releasing it, as MQInit does with the host's own module.
#include "platform/module_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/host_module_file.h"

namespace rowshift::platform {
namespace {

const std::string kHostModule = testing::HostModuleFile("mqhost");
const std::string kHostModuleLackingLast = testing::HostModuleFile("mqhost_lacking_last");

TEST(ModuleLoader, ResolvesTheHostModulesExportsByName) {
  ModuleHandle module = LoadModule(kHostModule.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_NE(ResolveExport(module, "MQ_GetWindowHandle"), nullptr);
  EXPECT_NE(ResolveExport(module, "MQSVGDraw_Value"), nullptr);
  EXPECT_EQ(ResolveExport(module, "MQ_NoSuchEntryPoint"), nullptr);
  ReleaseModule(module);
}

TEST(ModuleLoader, ExportMissingFromTheModuleResolvesToNull) {
  ModuleHandle module = LoadModule(kHostModuleLackingLast.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(ResolveExport(module, "MQSVGDraw_Value"), nullptr);
  EXPECT_NE(ResolveExport(module, "MQMatrix_FloatValue"), nullptr);
  ReleaseModule(module);
}

TEST(ModuleLoader, FileThatIsNoModuleGivesNull) {
  EXPECT_EQ(LoadModule(testing::HostModuleFile("no_such_module").c_str()), nullptr);
  EXPECT_EQ(LoadModule(nullptr), nullptr);
}

TEST(ModuleLoader, NullArgumentsAreRefusedSafely) {
  EXPECT_EQ(ResolveExport(nullptr, "MQ_SendMessage"), nullptr);
  ModuleHandle module = LoadModule(kHostModule.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(ResolveExport(module, nullptr), nullptr);
  ReleaseModule(module);
  ReleaseModule(nullptr);
}

}  // namespace
}  // namespace rowshift::platform
