#include <iterator>
#include <utility>
#include <vector>

#include "eds/CFileScan.h"
#include "eds/EdsSections.h"
#include "model/ObjectDictionary.h"
#include "platform/DeferringPlatform.h"
#include "platform/ParallelWork.h"

// A large file's longest object list is read in two halves at once. The halves share the parsed file,
// which no reading changes. The second half is read by a reader of its own, into a dictionary and a
// report of its own, and its message boxes are held back; once both halves are done, its indices join
// the dictionary, its records follow the first half's and its boxes are shown, so that the import ends
// exactly as one that had read the list from start to end.
EdsImportResult CFileScan::RunListStepsInHalves(const std::string& listName,
                                                const std::vector<ListStep>& steps,
                                                const std::vector<std::size_t>& weights, std::size_t total) {
    // The halves are cut by the number of sections they read rather than by the number of indices.
    std::size_t middle = 0;
    for (std::size_t taken = 0; middle < steps.size() && taken < total / 2; ++middle) {
        taken += weights[middle];
    }

    ObjectDictionary secondDictionary;
    FileInfoSection unusedFileInfo;
    DeviceInfoSection unusedDeviceInfo;
    DeferringPlatform deferred(m_platform);
    CFileScan second(m_strPath, secondDictionary, unusedFileInfo, unusedDeviceInfo, deferred,
                     m_bLenient ? ImportMode::Lenient : ImportMode::Standard);
    second.m_pProfile = m_pProfile;
    second.m_subSections = m_subSections;

    const ListStep* begin = steps.data();
    EdsImportResult firstResult = EdsImportResult::Success;
    EdsImportResult secondResult = EdsImportResult::Success;
    ParallelWork::RunBoth(
        [&] { firstResult = RunListSteps(listName, begin, begin + middle); },
        [&] { secondResult = second.RunListSteps(listName, begin + middle, begin + steps.size()); });

    m_dictionary.TakeIndicesFrom(secondDictionary);
    const auto append = [](auto& to, auto& from) {
        to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    };
    append(m_report.records, second.m_report.records);
    append(m_report.entryLines, second.m_report.entryLines);
    append(m_report.absentValues, second.m_report.absentValues);
    deferred.ShowDeferred();
    if (second.m_nErrorIndex != 0) {
        m_nErrorIndex = second.m_nErrorIndex;
    }
    m_nLeftOutForType += second.m_nLeftOutForType;

    bool secondRead = false;
    for (std::size_t i = middle; i < steps.size() && !secondRead; ++i) {
        secondRead = !steps[i].outOfRange;
    }
    return secondRead ? secondResult : firstResult;
}
