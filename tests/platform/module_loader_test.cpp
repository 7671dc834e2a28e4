// Loading the stand-in host module by file name, resolving its exports by name
// and releasing it, as MQInit does with the host's own module.
#include "platform/module_loader.h"

#include <gtest/gtest.h>

#include <string>

namespace rowshift::platform {
namespace {

const std::string kHostModule = std::string("./mqhost") + ROWSHIFT_MODULE_SUFFIX;
const std::string kHostModuleLackingLast =
    std::string("./mqhost_lacking_last") + ROWSHIFT_MODULE_SUFFIX;

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
  const std::string missing = std::string("./no_such_module") + ROWSHIFT_MODULE_SUFFIX;
  EXPECT_EQ(LoadModule(missing.c_str()), nullptr);
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
