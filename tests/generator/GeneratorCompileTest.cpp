#include <gtest/gtest.h>

#include "CCompiler.h"
#include "DictionaryBuilder.h"
#include "GeneratorTestSupport.h"
#include "ScriptedPlatform.h"
#include "generator/CSourceGenerator.h"

namespace {

class GeneratorCompileTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveCCompiler()) {
            GTEST_SKIP() << "no C compiler";
        }
        platform.AllowUnexpectedMessages();
    }

    ObjectDictionary dictionary;
    ScriptedPlatform platform;
    TempDir dir;
};

TEST_F(GeneratorCompileTest, FullDictionaryCompiles) {
    BuildFullDictionary(dictionary);
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, dir.File("objdict.c")));
    EXPECT_EQ("", CompileGeneratedFiles(dir.Path(), "objdict.c"));
}

TEST_F(GeneratorCompileTest, HostileDesignatorsAndTextsStillCompile) {
    DictionaryBuilder b(dictionary);
    b.Record(0x2100, "Strange names", "RAM", "UserCallback");
    const char* const names[] = {
        "Max, Min", "1st supported homing method", "()", "", "a<b>c", "\xE9t\xE9", "Value (x,y)", "int",
        "2nd"};
    std::uint16_t subindex = 0;
    for (const char* name : names) {
        b.Sub(0x2100, subindex++, {.name = name, .dataType = 0x07, .value = "0x10"});
    }
    b.Sub(0x2100, subindex++, {.name = "Text", .dataType = 0x09, .value = "\"); evil(); //"});
    b.Sub(0x2100, subindex++,
          {.name = "Text2", .dataType = 0x09, .access = "const", .value = "a\\\r\n#error x"});
    b.Sub(0x2100, subindex++, {.name = "Text3", .dataType = 0x09, .value = "trailing \\"});
    b.Sub(0x2100, subindex++,
          {.name = "Real", .dataType = 0x08, .value = "-1e-30", .low = "-3e38", .high = "3e38"});
    b.Sub(0x2100, subindex++,
          {.name = "Min", .dataType = 0x04, .value = "-2147483648", .high = "2147483647"});
    b.Var(0x2101, {.name = "Second user", .dataType = 0x05, .value = "1"}, "ROM", "UserCallback");
    ASSERT_EQ(GenOk, RunGeneration(dictionary, platform, dir.File("node.c")));
    EXPECT_EQ("", CompileGeneratedFiles(dir.Path(), "node.c"));
}

}  // namespace
