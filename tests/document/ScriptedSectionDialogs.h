#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/SectionDialogs.h"

// Scripted answers for one kind of section dialog: OK with a change the "user" makes to the dialog's
// copy, or Cancel. A run without a queued answer fails the test and cancels.
template <class Record>
class SectionScript {
public:
    using Change = std::function<void(Record&)>;

    void QueueOk(Change change = [](Record&) {}) { m_answers.emplace_back(std::move(change)); }
    void QueueCancel() { m_answers.emplace_back(std::nullopt); }
    // The next creation fails, as if the dialog could not be created.
    void FailNextCreation() { m_failNext = true; }
    // The record each run was loaded with, in order.
    const std::vector<Record>& Loaded() const { return m_loaded; }

    std::unique_ptr<SectionDialog<Record>> Create() {
        return std::exchange(m_failNext, false) ? nullptr : std::make_unique<Dialog>(*this);
    }

private:
    struct Dialog : SectionDialog<Record> {
        explicit Dialog(SectionScript& owner) : script(owner) {}
        void Load(const Record& record) override {
            copy = record;
            script.m_loaded.push_back(record);
        }
        bool Run() override {
            if (script.m_answers.empty()) {
                ADD_FAILURE() << "section dialog run without a scripted answer";
                return false;
            }
            const std::optional<Change> answer = script.m_answers.front();
            script.m_answers.pop_front();
            if (answer) {
                (*answer)(copy);
            }
            return answer.has_value();
        }
        void Store(Record& record) const override { record = copy; }

        SectionScript& script;
        Record copy{};
    };

    std::deque<std::optional<Change>> m_answers;
    std::vector<Record> m_loaded;
    bool m_failNext = false;
};
