#pragma once

#include <cstdint>
#include <vector>

#include "document/DocumentView.h"

// A view that records every hint and every state change it is told of.
class RecordingView : public DocumentView {
public:
    struct Update {
        std::uint32_t hint;
        HintObject object;
    };

    void OnUpdate(std::uint32_t hint, const HintObject& object) override {
        updates.push_back({hint, object});
    }
    void OnDocumentStateChanged() override { ++stateChanges; }

    std::vector<std::uint32_t> Hints() const {
        std::vector<std::uint32_t> hints;
        for (const Update& u : updates) {
            hints.push_back(u.hint);
        }
        return hints;
    }
    void Clear() {
        updates.clear();
        stateChanges = 0;
    }

    std::vector<Update> updates;
    int stateChanges = 0;
};
