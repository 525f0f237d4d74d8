#include "ScriptedIndexDialog.h"

#include <gtest/gtest.h>

class ScriptedIndexDialog : public IndexDialog {
public:
    explicit ScriptedIndexDialog(ScriptedDialogFactory& factory) : m_factory(factory) {}

    void SetMode(IndexDialogMode mode) override { m_run.mode = mode; }
    void SetLevel(IndexDialogLevel level) override { m_run.level = level; }
    void SetDocument(IndexDialogLookups* lookups) override { m_run.hasDocument = lookups != nullptr; }
    void Fill(const IndexEntry& index, const SubindexEntry& entry) override {
        m_run.filledIndex = index.CopyRecord();
        m_run.filledIndexEntries = index.subindices.size();
        m_run.filledEntry = entry;
    }
    bool Run() override {
        m_factory.m_runs.push_back(std::move(m_run));
        if (m_factory.m_answers.empty()) {
            ADD_FAILURE() << "index dialog run without a scripted answer";
            return false;
        }
        m_answer = m_factory.m_answers.front();
        m_factory.m_answers.pop_front();
        return m_answer.has_value();
    }
    IndexDialogValues Values() const override { return m_answer.value_or(IndexDialogValues{}); }

private:
    ScriptedDialogFactory& m_factory;
    DialogRun m_run;
    std::optional<IndexDialogValues> m_answer;
};

ScriptedDialogFactory::~ScriptedDialogFactory() {
    if (!m_answers.empty()) {
        ADD_FAILURE() << m_answers.size() << " scripted dialog answer(s) never used";
    }
}

std::unique_ptr<IndexDialog> ScriptedDialogFactory::CreateIndexDialog() {
    if (m_failNext) {
        m_failNext = false;
        return nullptr;
    }
    return std::make_unique<ScriptedIndexDialog>(*this);
}
