#include "GoldenFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

void ExpectGoldenFile(const std::string& path, const std::string& bytes) {
    if (std::getenv("QM_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << bytes;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing golden file " << path;
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), bytes) << "differs from " << path;
}
