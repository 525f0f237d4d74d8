#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/SectionDialogs.h"

// The scripted answers for one kind of section dialog. Each answer is OK with a change the "user"
// makes to the dialog's copy, or Cancel. A run without a queued answer fails the test and cancels.
template <class Record>
class SectionScript {
public:
    using Change = std::function<void(Record&)>;

    ~SectionScript() {
        if (!m_answers.empty()) {
            ADD_FAILURE() << m_answers.size() << " scripted section dialog answer(s) never used";
        }
    }

    void QueueOk(Change change = [](Record&) {}) { m_answers.emplace_back(std::move(change)); }
    void QueueCancel() { m_answers.emplace_back(std::nullopt); }
    // The next creation fails, as if the dialog could not be created.
    void FailNextCreation() { m_failNext = true; }
    // The record each run was loaded with, in order.
    const std::vector<Record>& Loaded() const { return m_loaded; }

    std::unique_ptr<SectionDialog<Record>> Create();

private:
    class Dialog;
    std::deque<std::optional<Change>> m_answers;
    std::vector<Record> m_loaded;
    bool m_failNext = false;
};

template <class Record>
class SectionScript<Record>::Dialog : public SectionDialog<Record> {
public:
    explicit Dialog(SectionScript& script) : m_script(script) {}

    void Load(const Record& record) override {
        m_copy = record;
        m_script.m_loaded.push_back(record);
    }
    bool Run() override {
        if (m_script.m_answers.empty()) {
            ADD_FAILURE() << "section dialog run without a scripted answer";
            return false;
        }
        std::optional<Change> answer = std::move(m_script.m_answers.front());
        m_script.m_answers.pop_front();
        if (answer) {
            (*answer)(m_copy);
        }
        return answer.has_value();
    }
    void Store(Record& record) const override { record = m_copy; }

private:
    SectionScript& m_script;
    Record m_copy{};
};

template <class Record>
std::unique_ptr<SectionDialog<Record>> SectionScript<Record>::Create() {
    if (m_failNext) {
        m_failNext = false;
        return nullptr;
    }
    return std::make_unique<Dialog>(*this);
}
