#include <string>
#include <vector>

#include "generator/CSourceGenerator.h"
#include "model/IndexEntry.h"
#include "platform/DeferringPlatform.h"
#include "platform/FileSystem.h"
#include "platform/ParallelWork.h"

namespace {

// The lines of the second half, kept until the first half's lines are written.
class TextBuffer : public WritableFile {
public:
    explicit TextBuffer(std::size_t room) { m_text.reserve(room); }
    bool Write(const char* data, std::size_t size) override {
        m_text.append(data, size);
        return true;
    }
    bool Close() override { return true; }
    std::string Error() const override { return {}; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// Room for one entry's line and its share of the index lines, somewhat more than most take.
constexpr std::size_t LineSizeGuess = 128;

}  // namespace

// The second half is written by a generator of its own, on another thread, into memory: its lines
// follow the first half's in the files, and its message boxes are shown after the first half's, as
// one thread would have shown them. A half that fails ends the part where one thread would have
// stopped: after a failure in the first half nothing of the second is kept.
GenerationResult CSourceGenerator::EmitInHalves(const std::vector<IndexEntry*>& indices,
                                                std::size_t entries) {
    IndexEntry* const* begin = indices.data();
    IndexEntry* const* end = begin + indices.size();
    IndexEntry* const* middle = begin;
    for (std::size_t taken = 0; taken < entries / 2; ++middle) {
        taken += (*middle)->entryCount;
    }

    DeferringPlatform deferred(*m_pPlatform);
    CSourceGenerator second(*m_pDictionary, deferred);
    // Made here rather than on the other thread, so that their room comes from memory freed before.
    auto dict = std::make_unique<TextBuffer>((entries - entries / 2) * LineSizeGuess);
    auto config = std::make_unique<TextBuffer>(0);
    const TextBuffer& dictText = *dict;
    const TextBuffer& configText = *config;
    second.m_fileDict = std::move(dict);
    second.m_fileConfig = std::move(config);

    GenerationResult firstResult = GenOk;
    GenerationResult secondResult = GenOk;
    ParallelWork::RunBoth([&] { firstResult = EmitIndices(begin, middle); },
                          [&] { secondResult = second.EmitIndices(middle, end); });
    if (firstResult != GenOk) {
        return firstResult;
    }
    if ((!dictText.Text().empty() && WriteText(m_fileDict.get(), dictText.Text()) != GenOk) ||
        (!configText.Text().empty() && WriteText(m_fileConfig.get(), configText.Text()) != GenOk)) {
        return GenWriteFailed;
    }
    deferred.ShowDeferred();
    if (m_nLeftOut == 0) {
        m_pFirstLeftOut = second.m_pFirstLeftOut;
    }
    m_nLeftOut += second.m_nLeftOut;
    return secondResult;
}
