#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <tuple>

#include "ScriptedPlatform.h"
#include "check/DictionaryCheck.h"
#include "document/ProjectFileWriter.h"
#include "eds/CFileScan.h"

// Every real device file the importer reads is checked with the import's report: no crash, the findings
// sorted and the same on a second run, the dictionary untouched. The count of findings per rule and file
// is pinned in tests/data/check/corpus_findings.txt (QM_UPDATE_GOLDEN=1 writes it anew); the totals per
// rule are printed for the record.
TEST(CheckCorpus, EveryImportableFileChecksSortedAndStable) {
    std::vector<std::filesystem::path> files{std::filesystem::path(QM_EXAMPLES_DIR) / "io_device.eds"};
    for (const auto& item : std::filesystem::directory_iterator(QM_CORPUS_DIR)) {
        const std::string extension = item.path().extension().string();
        if (extension == ".eds" || extension == ".dcf") {
            files.push_back(item.path());
        }
    }
    std::sort(files.begin() + 1, files.end());
    ASSERT_GT(files.size(), 30u) << "the corpus is missing";

    std::map<std::string, int> perRule;
    std::string pinned;
    int checked = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        ObjectDictionary dictionary;
        FileInfoSection fileInfo;
        DeviceInfoSection deviceInfo;
        ScriptedPlatform platform;
        platform.AllowUnexpectedMessages();
        CFileScan scan(file.string(), dictionary, fileInfo, deviceInfo, platform);
        scan.ReadFile();
        if (dictionary.GetIndexCount() == 0) {
            continue;  // refused as a whole: nothing to check
        }
        ++checked;
        const ImportReport report = scan.TakeReport();
        const std::string before = ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo);
        const std::vector<Finding> findings = CheckDictionary(dictionary, deviceInfo, &report);
        EXPECT_EQ(ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo), before);
        EXPECT_EQ(CheckDictionary(dictionary, deviceInfo, &report), findings);
        std::map<std::string, int> fileRules;

        auto key = [](const Finding& f) {
            return std::make_tuple(f.index ? int{*f.index} : -1, f.subindex ? int{*f.subindex} : -1, f.rule);
        };
        EXPECT_TRUE(std::is_sorted(findings.begin(), findings.end(),
                                   [&](const Finding& a, const Finding& b) { return key(a) < key(b); }));
        for (const Finding& finding : findings) {
            EXPECT_FALSE(finding.text.empty());
            ++perRule[finding.rule];
            ++fileRules[finding.rule];
        }
        pinned += file.filename().string() + ":";
        for (const auto& [rule, count] : fileRules) {
            pinned += " " + rule + "=" + std::to_string(count);
        }
        pinned += "\n";
    }
    const std::string golden = std::string(QM_TEST_DATA_DIR) + "/check/corpus_findings.txt";
    if (std::getenv("QM_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden, std::ios::binary) << pinned;
    }
    std::ifstream stored(golden, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stored), {}), pinned);
    EXPECT_GT(checked, 20);
    std::cout << "Findings per rule over " << checked << " files:\n";
    for (const auto& [rule, count] : perRule) {
        std::cout << "  " << rule << ": " << count << '\n';
    }
}
