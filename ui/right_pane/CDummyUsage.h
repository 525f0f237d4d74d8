#pragma once

#include <QWidget>
#include <array>

#include "document/DocumentView.h"

class CQuillmarkDoc;
class QCheckBox;

// Read-only form of the EDS DummyUsage section: one box per data type 1..7.
class CDummyUsage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit CDummyUsage(CQuillmarkDoc& document, QWidget* parent = nullptr);
    ~CDummyUsage() override;

    void OnUpdate(std::uint32_t hint, const HintObject& object) override;

private:
    CQuillmarkDoc& m_document;
    std::array<QCheckBox*, DummyUsageSection::SlotCount> m_boxes{};
};
