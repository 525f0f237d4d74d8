#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <tuple>

#include "ScriptedPlatform.h"
#include "check/DictionaryCheck.h"
#include "document/ProjectFileWriter.h"
#include "eds/CFileScan.h"

// Every real device file the importer reads is checked: no crash, the findings sorted and the same on
// a second run, the dictionary untouched. The count of findings per rule is printed for the record.
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
    int checked = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        ObjectDictionary dictionary;
        FileInfoSection fileInfo;
        DeviceInfoSection deviceInfo;
        ScriptedPlatform platform;
        platform.AllowUnexpectedMessages();
        CFileScan(file.string(), dictionary, fileInfo, deviceInfo, platform).ReadFile();
        if (dictionary.GetIndexCount() == 0) {
            continue;  // refused as a whole: nothing to check
        }
        ++checked;
        const std::string before = ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo);
        const std::vector<Finding> findings = CheckDictionary(dictionary, deviceInfo);
        EXPECT_EQ(ProjectFileWriter().Write(dictionary, deviceInfo, fileInfo), before);
        EXPECT_EQ(CheckDictionary(dictionary, deviceInfo), findings);

        auto key = [](const Finding& f) {
            return std::make_tuple(f.index ? int{*f.index} : -1, f.subindex ? int{*f.subindex} : -1, f.rule);
        };
        EXPECT_TRUE(std::is_sorted(findings.begin(), findings.end(),
                                   [&](const Finding& a, const Finding& b) { return key(a) < key(b); }));
        for (const Finding& finding : findings) {
            EXPECT_FALSE(finding.text.empty());
            ++perRule[finding.rule];
        }
    }
    EXPECT_GT(checked, 20);
    std::cout << "Findings per rule over " << checked << " files:\n";
    for (const auto& [rule, count] : perRule) {
        std::cout << "  " << rule << ": " << count << '\n';
    }
}
